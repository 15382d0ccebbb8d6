#include "menu/cadlink/item_route.h"

#include "menu/strutil/sjis_text.h"

#include <cstring>

namespace {

// The text after a prefix and the one separator character that follows it
// (both bytes of a double-byte one; none when the text ends there), cut at
// its first line feed.
void CopyAfterPrefix(const std::string& command, size_t prefixLength, char* text, size_t size) {
    size_t start = prefixLength < command.size()
                       ? prefixLength + CharLengthMb(command.c_str() + prefixLength)
                       : command.size();
    size_t end = command.find('\n', start);
    size_t count = (end == std::string::npos ? command.size() : end) - start;
    CopyTextN(text, size, command.c_str() + start, count);
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
    const std::string& command = item.command;
    if (command.empty()) {
        return ItemRoute::Nothing;
    }
    if (command.compare(0, 4, "EXEC") == 0) {
        CopyAfterPrefix(command, 4, text, size);
        return ItemRoute::Exec;
    }
    for (int i = 0; i < keyCount; ++i) {
        const char* key = keys[i];
        size_t length = strlen(key);
        if (length > 0 && command.compare(0, length, key) == 0) {
            CopyAfterPrefix(command, length, text, size);
            *slot = i;
            return ItemRoute::External;
        }
    }
    CopyText(text, size, command.c_str());
    return ItemRoute::Cad;
}
