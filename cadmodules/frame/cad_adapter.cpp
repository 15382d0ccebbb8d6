// The class-based services through the host's plain-C calls (host_services.h).
#include "cadmodules/frame/cad_adapter.h"

#include "cadmodules/frame/host_services.h"

namespace {

void Notify(void* reactor, int event, const char* command) {
    EditorReactor* target = static_cast<EditorReactor*>(reactor);
    switch (event) {
    case kEditorCommandWillStart:
        target->commandWillStart(command);
        break;
    case kEditorCommandEnded:
        target->commandEnded(command);
        break;
    case kEditorCommandCancelled:
        target->commandCancelled(command);
        break;
    case kEditorCommandFailed:
        target->commandFailed(command);
        break;
    default:
        break;
    }
}

} // namespace

void RegisterApplication(void* appId) {
    vxhostUnlockApplication(appId);
    vxhostRegisterAppMDIAware(appId);
}

EditorReactor::EditorReactor(bool autoAttach) : autoAttach_(autoAttach) {
    if (autoAttach_ && !vxhostAddEditorReactor(this, Notify)) {
        autoAttach_ = false;
    }
}

EditorReactor::~EditorReactor() {
    if (autoAttach_) {
        vxhostRemoveEditorReactor(this);
    }
}
