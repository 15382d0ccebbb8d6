#include "checker/preview_layout.h"

#include <algorithm>

namespace {

// Space between a title and its menu's frame.
constexpr int kLabelGap = 4;

void PutLittleEndian(std::string* out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

} // namespace

SheetLayout ArrangeSheet(const std::vector<SheetCell>& cells, int labelHeight, int maxWidth) {
    SheetLayout sheet;
    int x = kSheetMargin;
    int y = kSheetMargin;
    int rowHeight = 0;
    int widest = 0;
    for (const SheetCell& cell : cells) {
        const int framed = cell.width + 2;
        const int cellWidth = std::max(framed, cell.labelWidth);
        const int cellHeight = labelHeight + kLabelGap + cell.height + 2;
        if (x > kSheetMargin && x + cellWidth + kSheetMargin > maxWidth) {
            x = kSheetMargin;
            y += rowHeight + kSheetMargin;
            rowHeight = 0;
        }
        SheetPlace place;
        place.labelX = x;
        place.labelY = y;
        place.menuX = x + 1;
        place.menuY = y + labelHeight + kLabelGap + 1;
        sheet.places.push_back(place);
        x += cellWidth + kSheetMargin;
        widest = std::max(widest, x);
        rowHeight = std::max(rowHeight, cellHeight);
    }
    sheet.width = std::max(widest, 2 * kSheetMargin);
    sheet.height = y + rowHeight + kSheetMargin;
    return sheet;
}

std::string EncodeBmp(int width, int height, const uint8_t* pixels) {
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height);
    const uint32_t headers = 14 + 40;
    std::string out;
    out.reserve(headers + imageBytes);
    out += "BM";
    PutLittleEndian(&out, headers + imageBytes, 4);
    PutLittleEndian(&out, 0, 4);
    PutLittleEndian(&out, headers, 4);
    PutLittleEndian(&out, 40, 4); // BITMAPINFOHEADER
    PutLittleEndian(&out, static_cast<uint32_t>(width), 4);
    PutLittleEndian(&out, static_cast<uint32_t>(height), 4); // bottom-up
    PutLittleEndian(&out, 1, 2);
    PutLittleEndian(&out, 24, 2);
    PutLittleEndian(&out, 0, 4); // no compression
    PutLittleEndian(&out, imageBytes, 4);
    PutLittleEndian(&out, 3780, 4); // 96 dots per inch
    PutLittleEndian(&out, 3780, 4);
    PutLittleEndian(&out, 0, 4);
    PutLittleEndian(&out, 0, 4);
    for (int row = height - 1; row >= 0; --row) {
        const uint8_t* in = pixels + static_cast<size_t>(row) * width * 4;
        for (int column = 0; column < width; ++column) {
            out.append(reinterpret_cast<const char*>(in + column * 4), 3);
        }
        out.append(rowBytes - static_cast<uint32_t>(width) * 3, '\0');
    }
    return out;
}
