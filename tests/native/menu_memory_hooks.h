// An in-memory stand-in for the menu loader's files, companion libraries,
// bitmaps and functions, used by the unit tests, the fuzz target and the
// benchmark. Every handle it hands out is tracked until it is released.
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
    int calls = 0;
    std::set<std::string> libraryLoads; // paths asked for, loaded or not
    std::set<const void*> openFiles;
    std::set<const void*> liveLibraries;
    std::set<const void*> liveBitmaps;
    int bitmapsLoaded = 0;

    MenuLoadHooks Hooks();
    bool NothingHeld() const {
        return openFiles.empty() && liveLibraries.empty() && liveBitmaps.empty();
    }
};

namespace memory_hooks {

struct OpenFile {
    TextFile file; // first: the record's address is the file's
    MemoryText memory;
    std::string bytes;
};

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
    open->bytes = found->second;
    open->memory =
        MemoryText{open->bytes.data(), static_cast<int>(open->bytes.size()), 0, system.maxChunk};
    InitTextFile(&open->file, MemoryTextSource(&open->memory));
    system.openFiles.insert(open);
    return &open->file;
}

inline void Close(void* context, TextFile* file) {
    MemoryMenuSystem& system = *static_cast<MemoryMenuSystem*>(context);
    OpenFile* open = reinterpret_cast<OpenFile*>(file);
    system.openFiles.erase(open);
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
    system.liveLibraries.insert(handle);
    return handle;
}

inline void FreeLibrary(void* context, void* library) {
    MemoryMenuSystem& system = *static_cast<MemoryMenuSystem*>(context);
    system.liveLibraries.erase(library);
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
    system.liveBitmaps.insert(bitmap);
    system.bitmapsLoaded += 1;
    return bitmap;
}

inline void DeleteBitmap(void* context, void* bitmap) {
    MemoryMenuSystem& system = *static_cast<MemoryMenuSystem*>(context);
    system.liveBitmaps.erase(bitmap);
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
