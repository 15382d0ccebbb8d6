#include "menu/ui/menu_paint.h"

#include "menu/app/app_state.h"
#include "menu/model/menu_model.h"
#include "menu/ui/layout_store.h"
#include "menu/ui/menu_layout.h"

namespace {

constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr COLORREF kDarkBlue = RGB(0, 0, 128);
constexpr COLORREF kShadow = RGB(130, 130, 130);

HPEN g_blackPen = nullptr;
HPEN g_whitePen = nullptr;
HPEN g_shadowPen = nullptr;

void Line(HDC dc, HPEN pen, const POINT* points, int count) {
    SelectObject(dc, pen);
    Polyline(dc, points, count);
}

void DrawPopupBox(HDC dc) {
    const POINT divider[] = {{12, 0}, {12, 12}};
    const POINT upper[] = {{2, 6}, {2, 4}, {10, 4}};
    const POINT shade[] = {{3, 5}, {9, 5}};
    const POINT lower[] = {{3, 6}, {10, 6}, {10, 4}};
    Line(dc, g_blackPen, divider, 2);
    Line(dc, g_blackPen, upper, 3);
    Line(dc, g_shadowPen, shade, 2);
    Line(dc, g_whitePen, lower, 3);
}

void DrawArrow(HDC dc, const MenuItem& item, int h) {
    const int y = (item.top + item.bottom) / 2;
    const int x = item.right - static_cast<int>(h * 0.5);
    const int dy = static_cast<int>(h * 0.3);
    const POINT dark[] = {{x, y + dy}, {x, y - dy}, {item.right - static_cast<int>(h * 0.25), y}};
    const POINT light[] = {dark[2], dark[0]};
    Line(dc, g_blackPen, dark, 3);
    Line(dc, g_whitePen, light, 2);
}

void DrawBitmap(HDC dc, const MenuItem& item, bool topMenu, int h) {
    HDC memory = CreateCompatibleDC(dc);
    if (memory == nullptr) {
        return;
    }
    HGDIOBJ previous = SelectObject(memory, static_cast<HBITMAP>(item.bitmap));
    Point at = BitmapPosition(item, topMenu, h);
    BitBlt(dc, at.x, at.y, item.bitmapWidth, item.bitmapHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

int MeasureWidth(void* context, const char* text) {
    SIZE size{};
    GetTextExtentPoint32A(static_cast<HDC>(context), text, lstrlenA(text), &size);
    return size.cx;
}

} // namespace

void CreateMenuFont() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version)) {
        return;
    }
#pragma GCC diagnostic pop
    if (!(version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ||
          (version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 4))) {
        return;
    }
    if (g_app.menuFont) {
        DeleteObject(g_app.menuFont);
        g_app.menuFont = nullptr;
    }
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics; // 340 bytes: the layout without the padded border
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0)) {
        return;
    }
    const LOGFONTA& font = metrics.lfMenuFont;
    g_app.menuFontHeight = font.lfHeight;
    g_app.menuFont = CreateFontA(font.lfHeight, font.lfWidth, font.lfEscapement, font.lfOrientation,
                                 font.lfWeight, font.lfItalic, font.lfUnderline, font.lfStrikeOut,
                                 font.lfCharSet, font.lfOutPrecision, font.lfClipPrecision,
                                 font.lfQuality, font.lfPitchAndFamily, font.lfFaceName);
}

void CreateMenuPens() {
    g_blackPen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    g_whitePen = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    g_shadowPen = CreatePen(PS_SOLID, 1, kShadow);
}

void DeleteMenuPens() {
    if (g_shadowPen != nullptr) {
        DeleteObject(g_shadowPen);
        g_shadowPen = nullptr;
    }
}

HGDIOBJ SelectMenuFont(HDC dc) {
    return g_app.menuFont ? SelectObject(dc, g_app.menuFont) : nullptr;
}

void MeasureMenus(HDC dc) {
    HGDIOBJ previous = SelectMenuFont(dc);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    g_app.menuFontHeight = metrics.tmHeight;
    LayoutAllMenus(g_menuTable, g_app.menuFontHeight, TextMeasure{MeasureWidth, dc});
    if (previous != nullptr) {
        SelectObject(dc, previous);
    }
}

void MeasureAllMenus(HWND topWindow) {
    SetWindowTextA(topWindow, "VXMENU");
    HDC dc = GetDC(topWindow);
    MeasureMenus(dc);
    ReleaseDC(topWindow, dc);
    g_menuTable[0].firstWindow = topWindow;
    RestoreLayout(0);
}

void DrawItemFrame(HDC dc, const RECT& r, bool sunken) {
    if (r.right < 0) {
        return;
    }
    HGDIOBJ previous = SelectObject(dc, g_blackPen);
    const POINT outline[] = {{r.left, r.bottom},
                             {r.left, r.top},
                             {r.right, r.top},
                             {r.right, r.bottom},
                             {r.left, r.bottom}};
    Line(dc, g_blackPen, outline, 5);
    HPEN light = sunken ? g_shadowPen : g_whitePen;
    HPEN dark = sunken ? g_whitePen : g_shadowPen;
    const POINT lit[] = {
        {r.left + 1, r.bottom - 1}, {r.left + 1, r.top + 1}, {r.right - 1, r.top + 1}};
    const POINT shade1[] = {
        {r.right - 1, r.top + 1}, {r.right - 1, r.bottom - 1}, {r.left + 1, r.bottom - 1}};
    const POINT shade2[] = {
        {r.right - 2, r.top + 2}, {r.right - 2, r.bottom - 2}, {r.left + 2, r.bottom - 2}};
    Line(dc, light, lit, 3);
    Line(dc, dark, shade1, 3);
    Line(dc, dark, shade2, 3);
    SelectObject(dc, previous);
}

void PaintMenu(HDC dc, int index, HWND window, int selected) {
    if (index < 0 || index >= static_cast<int>(g_menuTable.size())) {
        return;
    }
    const MenuRecord& menu = g_menuTable[index];
    const int h = g_app.menuFontHeight;
    const bool top = index == 0;
    SetBkColor(dc, kLightGrey);
    int margin = 0;
    if (top) {
        DrawPopupBox(dc);
    } else {
        if (!menu.title.empty()) {
            SetWindowTextA(window, menu.title.c_str());
        }
        margin = 2;
    }
    // Only items that reach into the area being painted are drawn: a long
    // menu reaches far beyond the screen.
    RECT clip{};
    const bool clipped = GetClipBox(dc, &clip) != ERROR;
    HGDIOBJ previousPen = SelectObject(dc, g_blackPen);
    for (size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItem& item = menu.items[i];
        if (clipped && (item.bottom < clip.top || item.top > clip.bottom ||
                        item.right < clip.left || item.left > clip.right)) {
            continue;
        }
        if (!item.label.empty()) {
            SetTextColor(dc, item.emphasised ? kDarkBlue : RGB(0, 0, 0));
            int x =
                item.centred ? (item.left + item.right - item.labelWidth) / 2 : item.left + margin;
            int y = LabelTop(item, top, h);
            TextOutA(dc, x, y, item.label.c_str(), static_cast<int>(item.label.size()));
        }
        if (item.bitmap != nullptr) {
            DrawBitmap(dc, item, top, h);
        }
        if (!item.isStatic) {
            if (item.submenu >= 0 && !top) {
                DrawArrow(dc, item, h);
            }
            RECT r{item.left, item.top, item.right, item.bottom};
            DrawItemFrame(dc, r, static_cast<int>(i) == selected);
        }
    }
    SelectObject(dc, previousPen);
}
