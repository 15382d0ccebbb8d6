#include "checker/library_probe.h"

#include "menu/strutil/sjis_text.h"
#include "menu/strutil/text_file.h"

#include <cstring>
#include <vector>

namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char buffer[1200];
    va_list args;
    va_start(args, format);
    FormatTextV(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

// The names a loaded module exports, from its export directory.
std::vector<const char*> ExportNames(HMODULE module) {
    std::vector<const char*> names;
    const BYTE* base = reinterpret_cast<const BYTE*>(module);
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) {
        return names;
    }
    const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (nt->Signature != IMAGE_NT_SIGNATURE || entry.VirtualAddress == 0) {
        return names;
    }
    const IMAGE_EXPORT_DIRECTORY* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    const DWORD* rva = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        names.push_back(reinterpret_cast<const char*>(base + rva[i]));
    }
    return names;
}

// The name without a leading '_' and a trailing "@N", as compilers
// decorate __stdcall functions that are not exported by a .def file.
std::string Undecorated(const char* name) {
    std::string core = name[0] == '_' ? name + 1 : name;
    size_t at = core.rfind('@');
    if (at != std::string::npos && at > 0) {
        core.erase(at);
    }
    return core;
}

} // namespace

std::string LibraryLoadReason(const char* path, DWORD error) {
    if (!FileExists(path)) {
        return "ファイルがありません";
    }
    switch (error) {
    case ERROR_BAD_EXE_FORMAT:
        return Format("%d ビットの DLL ではありません", static_cast<int>(sizeof(void*) * 8));
    case ERROR_MOD_NOT_FOUND:
        return "この DLL が使う DLL が見つかりません";
    case ERROR_DLL_INIT_FAILED:
        return "DLL の初期化（DllMain）が失敗しました";
    default:
        return Format("エラー %lu", static_cast<unsigned long>(error));
    }
}

std::string BitmapMissingReason(HMODULE library, const char* name) {
    if (library == nullptr) {
        return std::string();
    }
    if (FindResourceA(library, name, MAKEINTRESOURCEA(2)) == nullptr) { // RT_BITMAP
        return "この名前のビットマップリソースがありません";
    }
    return "リソースはありますが、ビットマップとして読めません";
}

std::string FunctionMissingReason(HMODULE library, const char* name) {
    if (library == nullptr) {
        return std::string();
    }
    size_t length = strlen(name);
    for (const char* exported : ExportNames(library)) {
        if (strlen(exported) == length && EqualsIgnoringCase(exported, length, name)) {
            return Format("大文字・小文字の違う「%s」ならあります", exported);
        }
        std::string core = Undecorated(exported);
        if (core != exported && core.size() == length &&
            EqualsIgnoringCase(core.c_str(), length, name)) {
            return Format("装飾された名前「%s」ならあります。extern \"C\" と .def "
                          "ファイルで、装飾のない名前でエクスポートしてください",
                          exported);
        }
    }
    return std::string();
}
