// A companion library as a package author may build it: a __stdcall function
// exported without a .def file. The 32-bit build exports it decorated
// ("PackageEntry@0"), the 64-bit build, which has one calling convention,
// by its plain name.
#include <windows.h>

extern "C" __declspec(dllexport) void __stdcall PackageEntry() {}
