#include "checker/png_file.h"

#include <vector>

namespace {

// The few GDI+ flat functions the checker calls, declared by hand: the
// library is loaded at run time.
struct StartupInput {
    UINT32 version;
    void* debugCallback;
    BOOL suppressBackgroundThread;
    BOOL suppressExternalCodecs;
};
using Startup = int(WINAPI*)(ULONG_PTR* token, const StartupInput* input, void* output);
using Shutdown = void(WINAPI*)(ULONG_PTR token);
using FromHbitmap = int(WINAPI*)(HBITMAP bitmap, HPALETTE palette, void** image);
using SaveToFile = int(WINAPI*)(void* image, const WCHAR* path, const CLSID* encoder,
                                const void* parameters);
using Dispose = int(WINAPI*)(void* image);

// GDI+'s built-in PNG encoder.
const CLSID kPngEncoder = {
    0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

template <typename T> T Function(HMODULE library, const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

} // namespace

int WritePngFile(HBITMAP bitmap, const std::string& path, std::string* problem) {
    HMODULE gdiplus = LoadLibraryA("gdiplus.dll");
    if (gdiplus == nullptr) {
        *problem = "PNG を書くための gdiplus.dll がありません。.BMP を指定してください";
        return 0;
    }
    auto startup = Function<Startup>(gdiplus, "GdiplusStartup");
    auto shutdown = Function<Shutdown>(gdiplus, "GdiplusShutdown");
    auto fromHbitmap = Function<FromHbitmap>(gdiplus, "GdipCreateBitmapFromHBITMAP");
    auto save = Function<SaveToFile>(gdiplus, "GdipSaveImageToFile");
    auto dispose = Function<Dispose>(gdiplus, "GdipDisposeImage");
    ULONG_PTR token = 0;
    StartupInput input{1, nullptr, FALSE, FALSE};
    if (!startup || !shutdown || !fromHbitmap || !save || !dispose ||
        startup(&token, &input, nullptr) != 0) {
        FreeLibrary(gdiplus);
        *problem = "GDI+ を使えません。.BMP を指定してください";
        return 0;
    }
    int written = 0;
    void* image = nullptr;
    if (fromHbitmap(bitmap, nullptr, &image) == 0) {
        int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
        std::vector<WCHAR> widePath(length > 0 ? length : 1, L'\0');
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath.data(), length);
        written = save(image, widePath.data(), &kPngEncoder, nullptr) == 0;
        dispose(image);
    }
    shutdown(token);
    FreeLibrary(gdiplus);
    if (!written) {
        *problem = "ファイルに書き込めません";
    }
    return written;
}
