/* The part of the CAD program's module interface that the in-CAD modules
   use: the entry messages, the LISP function calls, file search, messages,
   and the resbuf record. C linkage; the functions live in acad.exe and are
   imported through the import library made from acad.def. */
#ifndef VX_CAD_INTERFACE_H
#define VX_CAD_INTERFACE_H

#if defined(_WIN32)
#include <windows.h>
#if defined(VX_CAD_HOST)
#define CADAPI __declspec(dllexport)
#else
#define CADAPI __declspec(dllimport)
#endif
#else
#define CADAPI
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Messages of the module entry acrxEntryPoint (message, application id). */
enum AppMsgCode {
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5
};
enum AppRetCode { kRetOK = 0 };

/* The module's exports, as the CAD program looks them up by name. */
typedef int (*CadEntryPoint)(int message, void* appId);
typedef int (*CadApiVersion)(void);
/* What acrxGetApiVersion gives and the host expects. */
#define VX_CAD_API_VERSION 16

/* Result and type codes. */
#define RTNORM 5100
#define RTERROR (-5001)
#define RTCAN (-5002)
#define RTNONE 5000
#define RTREAL 5001
#define RTPOINT 5002
#define RTSHORT 5003
#define RTSTR 5005
#define RTLONG 5010
#define RTVOID 5014
#define RTLB 5016
#define RTLE 5017
#define RTNIL 5019
#define RTT 5021

typedef double ads_point[3];

union ads_u_val {
    double rreal;
    ads_point rpoint;
    short rint;
    char* rstring;
    long rlong;
};

/* One value of a LISP argument list or result list. */
struct resbuf {
    struct resbuf* rbnext;
    short restype;
    union ads_u_val resval;
};

/* Bytes acedFindFile's result buffer must hold. */
#define VX_CAD_PATH_SIZE 260

CADAPI int acedDefun(const char* name, int code);
CADAPI int acedUndef(const char* name, int code);
CADAPI int acedGetFunCode(void);
/* The arguments of the LISP call being dispatched; owned by the CAD program. */
CADAPI struct resbuf* acedGetArgs(void);
CADAPI int acedRetVoid(void);
CADAPI int acedRetT(void);
CADAPI int acedRetNil(void);
/* The CAD program copies the text or the list; the caller keeps its own. */
CADAPI int acedRetStr(const char* text);
CADAPI int acedRetList(const struct resbuf* list);
/* Full path of name into result (VX_CAD_PATH_SIZE bytes): RTNORM or RTERROR. */
CADAPI int acedFindFile(const char* name, char* result);
CADAPI int acedAlert(const char* text);
CADAPI int acutPrintf(const char* format, ...);
/* A record of the type with an empty value. acutRelRb frees a whole chain
   and each RTSTR record's text with the CAD program's own run-time library
   and heap: it must be given no text that a module allocated. */
CADAPI struct resbuf* acutNewRb(int type);
CADAPI int acutRelRb(struct resbuf* chain);

#ifdef __cplusplus
}
#endif

#endif
