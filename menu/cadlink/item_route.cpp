#include "menu/cadlink/item_route.h"

#include "menu/strutil/sjis_text.h"

#include <cstring>

namespace {

// The text after a prefix and the one separator character that follows it
// (both bytes of a double-byte one; none when the text ends there), cut at
// its first line feed.
void CopyAfterPrefix(const char* command, size_t prefixLength, char* text, size_t size) {
    const char* start = command + prefixLength;
    if (*start != '\0') {
        start += CharLengthMb(start);
    }
    const char* end = strchr(start, '\n');
    CopyTextN(text, size, start, end != nullptr ? static_cast<size_t>(end - start) : strlen(start));
}

} // namespace

ItemRoute RouteMenuItem(const MenuItem& item, bool ctrl, const char* const* keys, int keyCount,
                        int* slot, char* text, size_t size) {
    text[0] = '\0';
    *slot = -1;
    if (item.dialogKind == 1 || item.dialogKind == 2) {
        return ItemRoute::Dialog;
    }
    if (item.libraryFunction != nullptr) {
        return ItemRoute::Function;
    }
    if (ctrl) {
        if (item.alternate.empty()) {
            return ItemRoute::Nothing;
        }
        CopyText(text, size, item.alternate.c_str());
        return ItemRoute::Alternate;
    }
    const char* command = item.command.c_str();
    if (command[0] == '\0') {
        return ItemRoute::Nothing;
    }
    if (StartsWith(command, "EXEC")) {
        CopyAfterPrefix(command, 4, text, size);
        return ItemRoute::Exec;
    }
    for (int i = 0; i < keyCount; ++i) {
        const char* key = keys[i];
        size_t length = strlen(key);
        if (length > 0 && strncmp(command, key, length) == 0) {
            CopyAfterPrefix(command, length, text, size);
            *slot = i;
            return ItemRoute::External;
        }
    }
    CopyText(text, size, command);
    return ItemRoute::Cad;
}
