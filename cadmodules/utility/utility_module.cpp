// The LISP utility module VXUTY.
#include "cadmodules/frame/module_frame.h"
#include "cadmodules/utility/utility_functions.h"

namespace {

const LispFunction kFunctions[] = {
    {"%mkcmdlst", MakeCommandListFunction},
    {"%txtread", TextReadFunction},
    {"%writeprivateprofilestring", WriteProfileStringFunction},
    {"%getprivateprofilestring", GetProfileStringFunction},
    {"%OutputDebugString", DebugStringFunction},
    {"%OutputDebugStringOn", DebugOutputOnFunction},
    {"%OutputDebugStringOff", DebugOutputOffFunction},
};

} // namespace

const CadModule g_cadModule = {kFunctions, sizeof kFunctions / sizeof kFunctions[0], nullptr,
                               nullptr};
