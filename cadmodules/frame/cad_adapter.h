// The CAD program's class-based services as the modules use them. Only
// cad_adapter.cpp knows how the CAD program offers them: a build against the
// CAD vendor's SDK replaces that one file (dynamic linker, editor, reactor).
#pragma once

// Declares the module unloadable while the CAD program runs and fit for
// several open drawings (the dynamic linker's unlockApplication and
// registerAppMDIAware with the application id).
void RegisterApplication(void* appId);

// An editor reactor: told of the start and the end, cancel or failure of
// each command, with the command's name.
class EditorReactor {
public:
    // With autoAttach the reactor attaches itself to the editor; when there
    // is no editor it stays unattached and autoAttach turns false.
    explicit EditorReactor(bool autoAttach);
    // Detaches the reactor when it attached itself.
    virtual ~EditorReactor();
    EditorReactor(const EditorReactor&) = delete;
    EditorReactor& operator=(const EditorReactor&) = delete;

    virtual void commandWillStart(const char*) {}
    virtual void commandEnded(const char*) {}
    virtual void commandCancelled(const char*) {}
    virtual void commandFailed(const char*) {}

protected:
    bool autoAttach_;
};
