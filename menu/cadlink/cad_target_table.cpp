#include "menu/cadlink/cad_target_table.h"

#include <cstring>

#include "menu/app/app_limits.h"

const CadTarget kCadTargetTable[kCadTargetCount] = {
    {"ACADDIR", kPathSize, "AutoCAD.r13.DDE", "SYSTEM", "AutoCAD", "AutoCAD", 1},
    {"ACAD14DIR", kPathSize, "", "", "AutoCAD", "AutoCAD", 1},
    {"ACAD15DIR", kCommandSize, "", "", "AutoCAD ", "Autodesk", 1},
    {"ACAD16DIR", kCommandSize, "", "", "AutoCAD ", "Autodesk", 1},
    {"ACLTDIR", kPathSize, "AutoCAD LT.DDE", "SYSTEM", "AutoCAD LT", "AutoCAD LT", 0},
    {"MGDSDIR", kPathSize, "", "", "MicroGDS", "MicroGDS", 0},
};

bool UsesCopyData(const char* captionPrefix1, const char* captionPrefix2) {
    return strcmp(captionPrefix1, "AutoCAD ") == 0 || strcmp(captionPrefix2, "Autodesk") == 0;
}

CadTransport CadTransportOf(const char* ddeService, const char* ddeTopic,
                            const char* captionPrefix1, const char* captionPrefix2) {
    if (ddeService[0] != '\0' || ddeTopic[0] != '\0') {
        return CadTransport::DdeExecute;
    }
    return UsesCopyData(captionPrefix1, captionPrefix2) ? CadTransport::CopyData
                                                        : CadTransport::None;
}
