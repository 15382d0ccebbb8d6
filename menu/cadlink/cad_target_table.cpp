#include "menu/cadlink/cad_target_table.h"

#include <cstring>

const CadTarget kCadTargetTable[kCadTargetCount] = {
    {"ACADDIR", 260, "AutoCAD.r13.DDE", "SYSTEM", "AutoCAD", "AutoCAD", 1},
    {"ACAD14DIR", 260, "", "", "AutoCAD", "AutoCAD", 1},
    {"ACAD15DIR", 360, "", "", "AutoCAD ", "Autodesk", 1},
    {"ACAD16DIR", 360, "", "", "AutoCAD ", "Autodesk", 1},
    {"ACLTDIR", 260, "AutoCAD LT.DDE", "SYSTEM", "AutoCAD LT", "AutoCAD LT", 0},
    {"MGDSDIR", 260, "", "", "MicroGDS", "MicroGDS", 0},
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
