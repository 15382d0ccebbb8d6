#include "checker/preview_sheet.h"

#include "checker/png_file.h"
#include "checker/preview_layout.h"
#include "menu/app/app_state.h"
#include "menu/model/menu_model.h"
#include "menu/ui/menu_layout.h"
#include "menu/ui/menu_paint.h"

#include <algorithm>

namespace {

// Sheets grow to the right up to this width before a new row begins.
constexpr int kSheetWidth = 960;

// A 32-bit top-down DIB section and the address of its pixels.
HBITMAP CreatePicture(HDC dc, int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

void Fill(HDC dc, int width, int height, int stockBrush) {
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(stockBrush)));
}

// The menu's client area as its window shows it: the top window has its
// strip above the items.
SIZE ClientSize(int index) {
    const MenuRecord& menu = g_menuTable[index];
    SIZE size{menu.widthMinus1 + 1, menu.heightMinus1 + 1};
    if (index == 0) {
        size.cy += kTopStripHeight;
    }
    size.cx = std::max<LONG>(size.cx, 1);
    size.cy = std::max<LONG>(size.cy, 1);
    return size;
}

std::string LabelOf(int index) {
    const std::string title = g_menuTable[index].title.str();
    std::string label = title.empty() ? "（タイトルなし）" : title;
    return index == 0 ? label + "（トップメニュー）" : label;
}

int TextWidth(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// Paints menu index in its own picture, as its window would, and copies it
// onto the sheet with a one-pixel frame like the window's border.
int PaintOne(HDC sheet, int index, const SheetPlace& place) {
    const SIZE size = ClientSize(index);
    HDC dc = CreateCompatibleDC(sheet);
    void* bits = nullptr;
    HBITMAP picture = dc != nullptr ? CreatePicture(dc, size.cx, size.cy, &bits) : nullptr;
    if (picture == nullptr) {
        if (dc != nullptr) {
            DeleteDC(dc);
        }
        return 0;
    }
    HGDIOBJ previousPicture = SelectObject(dc, picture);
    HGDIOBJ previousFont = SelectMenuFont(dc);
    Fill(dc, size.cx, size.cy, LTGRAY_BRUSH);
    PaintMenu(dc, index, nullptr, -1);
    BitBlt(sheet, place.menuX, place.menuY, size.cx, size.cy, dc, 0, 0, SRCCOPY);
    if (previousFont != nullptr) {
        SelectObject(dc, previousFont);
    }
    SelectObject(dc, previousPicture);
    DeleteObject(picture);
    DeleteDC(dc);

    HGDIOBJ previousBrush = SelectObject(sheet, GetStockObject(NULL_BRUSH));
    HGDIOBJ previousPen = SelectObject(sheet, GetStockObject(BLACK_PEN));
    Rectangle(sheet, place.menuX - 1, place.menuY - 1, place.menuX + size.cx + 1,
              place.menuY + size.cy + 1);
    SelectObject(sheet, previousPen);
    SelectObject(sheet, previousBrush);
    const std::string label = LabelOf(index);
    TextOutA(sheet, place.labelX, place.labelY, label.c_str(), static_cast<int>(label.size()));
    return 1;
}

int WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 0;
    }
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return CloseHandle(file) && ok && written == bytes.size();
}

} // namespace

int WritePreviewSheet(const std::string& path, PreviewFormat format, std::string* problem) {
    *problem = "描画の準備ができません";
    if (g_menuTable.empty()) {
        return 0;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) {
        return 0;
    }
    CreateMenuFont();
    CreateMenuPens();
    MeasureMenus(dc);
    HGDIOBJ previousFont = SelectMenuFont(dc);

    std::vector<SheetCell> cells;
    int widest = 0;
    for (size_t i = 0; i < g_menuTable.size(); ++i) {
        const SIZE size = ClientSize(static_cast<int>(i));
        cells.push_back(SheetCell{size.cx, size.cy, TextWidth(dc, LabelOf(static_cast<int>(i)))});
        widest = std::max(widest, std::max<int>(size.cx + 2, cells.back().labelWidth));
    }
    const SheetLayout sheet =
        ArrangeSheet(cells, g_app.menuFontHeight, std::max(kSheetWidth, widest + 2 * kSheetMargin));

    int done = 0;
    void* bits = nullptr;
    HBITMAP picture = CreatePicture(dc, sheet.width, sheet.height, &bits);
    if (picture != nullptr) {
        HGDIOBJ previousPicture = SelectObject(dc, picture);
        Fill(dc, sheet.width, sheet.height, WHITE_BRUSH);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        done = 1;
        for (size_t i = 0; i < g_menuTable.size() && done; ++i) {
            done = PaintOne(dc, static_cast<int>(i), sheet.places[i]);
        }
        GdiFlush();
        SelectObject(dc, previousPicture);
        if (done) {
            *problem = "ファイルに書き込めません";
            done = format == PreviewFormat::kPng
                       ? WritePngFile(picture, path, problem)
                       : WriteBytes(path, EncodeBmp(sheet.width, sheet.height,
                                                    static_cast<const uint8_t*>(bits)));
        }
        DeleteObject(picture);
    }
    if (previousFont != nullptr) {
        SelectObject(dc, previousFont);
    }
    DeleteMenuPens();
    DeleteDC(dc);
    return done;
}
