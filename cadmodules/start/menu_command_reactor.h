// Closes the floating menu while PLOT, -PLOT or ASSIST runs and starts it
// again when the command ends, is cancelled or fails.
#pragma once

#include "cadmodules/frame/cad_adapter.h"

class MenuCommandReactor : public EditorReactor {
public:
    explicit MenuCommandReactor(bool autoAttach) : EditorReactor(autoAttach) {}

    void commandWillStart(const char* name) override;
    void commandEnded(const char* name) override;
    void commandCancelled(const char* name) override;
    void commandFailed(const char* name) override;

private:
    void RestartAfter(const char* name);

    bool closedForCommand_ = false; // the menu was open when the command started
};
