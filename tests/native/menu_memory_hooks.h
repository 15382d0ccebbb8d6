// An in-memory stand-in for the menu loader's files, companion libraries,
// bitmaps and functions, used by the unit tests, the fuzz target and the
// benchmark. It counts the handles it hands out until they are released;
// a handle released twice or never is caught by AddressSanitizer.
#pragma once

#include "menu/model/menu_build.h"

#include <cstdint>
#include <map>
#include <new>
#include <set>
#include <string>

struct MemoryLibrary {
    std::map<std::string, std::pair<int32_t, int32_t>> bitmaps; // name -> width, height
    std::map<std::string, LibraryFunction> functions;
};

struct MemoryMenuSystem {
    std::map<std::string, std::string> files;       // path -> bytes
    std::map<std::string, MemoryLibrary> libraries; // library path -> contents
    std::set<std::string> locked;                   // files that exist but cannot be opened
    int maxChunk = 0;                               // block size handed to the line reader
    int throwAtCall = 0;                            // n > 0: the n-th hook call throws bad_alloc
    void (*beforeRead)() = nullptr;                 // called before each block read from a file
    int calls = 0;
    std::set<std::string> libraryLoads; // paths asked for, loaded or not
    int openFiles = 0;                  // handed out and not yet released
    int liveLibraries = 0;
    int liveBitmaps = 0;
    int bitmapsLoaded = 0;

    MenuLoadHooks Hooks();
    bool NothingHeld() const { return openFiles == 0 && liveLibraries == 0 && liveBitmaps == 0; }
};

namespace memory_hooks {

struct OpenFile {
    TextFile file;     // first: the record's address is the file's
    MemoryText memory; // over the bytes in the map, which stay put while open
    void (*beforeRead)() = nullptr;
};

inline int ReadAfterCall(void* context, char* buffer, int count) {
    OpenFile* open = static_cast<OpenFile*>(context);
    open->beforeRead();
    return MemoryTextSource(&open->memory).read(&open->memory, buffer, count);
}

struct LibraryHandle {
    const MemoryLibrary* library;
};

struct BitmapHandle {
    std::string name;
};

inline MemoryMenuSystem& SystemOf(void* context) {
    MemoryMenuSystem& system = *static_cast<MemoryMenuSystem*>(context);
    if (system.throwAtCall > 0 && ++system.calls == system.throwAtCall) {
        throw std::bad_alloc();
    }
    return system;
}

inline TextFile* Open(void* context, const char* path) {
    MemoryMenuSystem& system = SystemOf(context);
    auto found = system.files.find(path);
    if (found == system.files.end() || system.locked.count(path) != 0) {
        return nullptr;
    }
    OpenFile* open = new OpenFile;
    open->memory = MemoryText{found->second.data(), static_cast<int>(found->second.size()), 0,
                              system.maxChunk};
    InitTextFile(&open->file, MemoryTextSource(&open->memory));
    if (system.beforeRead != nullptr) {
        open->beforeRead = system.beforeRead;
        open->file.source = TextSource{open, ReadAfterCall};
    }
    system.openFiles += 1;
    return &open->file;
}

inline void Close(void* context, TextFile* file) {
    MemoryMenuSystem& system = *static_cast<MemoryMenuSystem*>(context);
    OpenFile* open = reinterpret_cast<OpenFile*>(file);
    system.openFiles -= 1;
    delete open;
}

inline int Exists(void* context, const char* path) {
    MemoryMenuSystem& system = SystemOf(context);
    return system.files.count(path) != 0;
}

inline void* LoadLibrary(void* context, const char* path) {
    MemoryMenuSystem& system = SystemOf(context);
    system.libraryLoads.insert(path);
    auto found = system.libraries.find(path);
    if (found == system.libraries.end()) {
        return nullptr;
    }
    LibraryHandle* handle = new LibraryHandle{&found->second};
    system.liveLibraries += 1;
    return handle;
}

inline void FreeLibrary(void* context, void* library) {
    MemoryMenuSystem& system = *static_cast<MemoryMenuSystem*>(context);
    system.liveLibraries -= 1;
    delete static_cast<LibraryHandle*>(library);
}

inline void* LoadBitmap(void* context, void* library, const char* name, int32_t* width,
                        int32_t* height) {
    MemoryMenuSystem& system = SystemOf(context);
    const MemoryLibrary& contents = *static_cast<LibraryHandle*>(library)->library;
    auto found = contents.bitmaps.find(name);
    if (found == contents.bitmaps.end()) {
        return nullptr;
    }
    *width = found->second.first;
    *height = found->second.second;
    BitmapHandle* bitmap = new BitmapHandle{name};
    system.liveBitmaps += 1;
    system.bitmapsLoaded += 1;
    return bitmap;
}

inline void DeleteBitmap(void* context, void* bitmap) {
    MemoryMenuSystem& system = *static_cast<MemoryMenuSystem*>(context);
    system.liveBitmaps -= 1;
    delete static_cast<BitmapHandle*>(bitmap);
}

inline LibraryFunction FindFunction(void* context, void* library, const char* name) {
    SystemOf(context);
    const MemoryLibrary& contents = *static_cast<LibraryHandle*>(library)->library;
    auto found = contents.functions.find(name);
    return found == contents.functions.end() ? nullptr : found->second;
}

// The name a bitmap handle was loaded by.
inline const std::string& BitmapName(const void* bitmap) {
    return static_cast<const BitmapHandle*>(bitmap)->name;
}

} // namespace memory_hooks

inline MenuLoadHooks MemoryMenuSystem::Hooks() {
    using namespace memory_hooks;
    return MenuLoadHooks{this,        Open,       Close,        Exists,      LoadLibrary,
                         FreeLibrary, LoadBitmap, DeleteBitmap, FindFunction};
}
