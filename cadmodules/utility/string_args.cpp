#include "cadmodules/utility/string_args.h"

#include "cadmodules/frame/cad_interface.h"

int TakeStringArgs(int count, const char* values[]) {
    static const char* const kOrdinals[] = {"1st", "2nd", "3rd", "4th"};
    const resbuf* arg = acedGetArgs();
    for (int i = 0; i < count; ++i, arg = arg->rbnext) {
        if (arg == nullptr) {
            acutPrintf("%s Argument not exist.", kOrdinals[i]);
            acedRetNil();
            return 0;
        }
        if (arg->restype != RTSTR || arg->resval.rstring == nullptr) {
            acutPrintf("%s Argument must be a string.", kOrdinals[i]);
            acedRetNil();
            return 0;
        }
        values[i] = arg->resval.rstring;
    }
    return 1;
}

const char* TakeFileNameArg() {
    const resbuf* arg = acedGetArgs();
    if (arg == nullptr) {
        acutPrintf("argument1 not exist");
        return nullptr;
    }
    if (arg->restype != RTSTR || arg->resval.rstring == nullptr) {
        acutPrintf("argument1 not match type");
        return nullptr;
    }
    return arg->resval.rstring;
}
