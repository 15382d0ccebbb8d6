#include "menu/ui/layout_slot.h"

#include "menu/strutil/sjis_text.h"

#include <cstdlib>

int ParseLayoutFields(const char* value, int* fields, int maxFields) {
    char work[kLayoutValueSize];
    CopyText(work, sizeof work, value);
    char* position = work;
    int count = 0;
    for (char* token = TokenizeMbAt(&position, ", "); token != nullptr && count < maxFields;
         token = TokenizeMbAt(&position, ", ")) {
        fields[count++] = static_cast<int>(ParseDecimal(token));
    }
    return count;
}

int ScaleCoordinate(int value, int desktopNow, int desktopSaved) {
    double scaled = value;
    if (desktopSaved > 0) {
        scaled = value * (static_cast<double>(desktopNow) / desktopSaved);
    }
    // Hand-edited values may lie anywhere: kept within one desktop's extent
    // either way, they do not overflow the window arithmetic.
    if (scaled < -desktopNow) {
        return -desktopNow;
    }
    return scaled > desktopNow ? desktopNow : static_cast<int>(scaled);
}

int RestoredTop(int savedTop, int desktopBottom, int menuHeightMinus1) {
    return savedTop < desktopBottom - (menuHeightMinus1 + 14) ? savedTop : 2;
}
