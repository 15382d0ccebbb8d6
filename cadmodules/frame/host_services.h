/* The class-based services of the CAD program (the dynamic linker, the
   editor and its reactors) in the plain-C form the stand-in host offers.
   Only cad_adapter.cpp uses them; a build against the CAD vendor's SDK
   replaces that file and leaves these unused. */
#ifndef VX_HOST_SERVICES_H
#define VX_HOST_SERVICES_H

#include "cadmodules/frame/cad_interface.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Editor notifications with the command's name. */
enum EditorEvent {
    kEditorCommandWillStart = 1,
    kEditorCommandEnded = 2,
    kEditorCommandCancelled = 3,
    kEditorCommandFailed = 4
};
typedef void (*EditorNotify)(void* reactor, int event, const char* command);

/* The dynamic linker's unlockApplication and registerAppMDIAware: 1 or 0. */
CADAPI int vxhostUnlockApplication(void* appId);
CADAPI int vxhostRegisterAppMDIAware(void* appId);
/* The editor's addReactor and removeReactor: 1, or 0 without an editor. */
CADAPI int vxhostAddEditorReactor(void* reactor, EditorNotify notify);
CADAPI int vxhostRemoveEditorReactor(void* reactor);

#ifdef __cplusplus
}
#endif

#endif
