#include "menu/model/command_text.h"

#include "menu/strutil/sjis_text.h"

#include <cstring>

namespace {

char CaretCodeOf(char letter) {
    switch (letter) {
    case 'B':
    case 'b':
        return 0x02;
    case 'C':
    case 'c':
        return 0x1B;
    case 'D':
    case 'd':
        return 0x04;
    case 'G':
    case 'g':
        return 0x07;
    case 'H':
    case 'h':
        return 0x08;
    case 'O':
    case 'o':
        return 0x0F;
    case 'V':
    case 'v':
        return 0x16;
    default:
        return 0;
    }
}

// Commands up to this long get their newline in a buffer on the stack.
constexpr size_t kCommandRoom = 64;

// Whether the last character of text (length bytes, not empty) is a
// double-byte one: walks from the start so that a trail byte is never taken
// for a lead byte.
bool EndsWithDoubleByte(const char* text, size_t length) {
    size_t i = 0;
    size_t last = 0;
    while (i < length) {
        last = i;
        i += CharLengthMb(text + i);
    }
    return length - last == 2;
}

// Caret codes translated in place; with cut, the text is also cut at its
// first ';'. One pass that keeps track of where double-byte characters end.
CommandPart Translate(char* text, bool cut) {
    CommandPart part{0, 0, 0, 0, 0};
    const char* in = text;
    char* out = text;
    char* semicolon = nullptr;
    bool lastDoubleByte = false; // the character written last
    while (*in != '\0') {
        if (IsLeadByte932(static_cast<unsigned char>(*in))) {
            if (in[1] == '\0') {
                break; // a lead byte without its trail byte
            }
            *out++ = in[0];
            *out++ = in[1];
            in += 2;
            lastDoubleByte = true;
            continue;
        }
        if (*in == '^') {
            char code = CaretCodeOf(in[1]);
            if (code != 0) {
                *out++ = code;
                in += 2;
                lastDoubleByte = false;
                continue;
            }
        } else if (*in == ';' && cut && semicolon == nullptr) {
            semicolon = out;
            part.commandEndsDoubleByte = lastDoubleByte;
        }
        *out++ = *in++;
        lastDoubleByte = false;
    }
    *out = '\0';
    if (semicolon != nullptr) {
        *semicolon = '\0';
        part.hasAlternate = 1;
        part.commandLength = static_cast<size_t>(semicolon - text);
        part.alternateLength = static_cast<size_t>(out - semicolon - 1);
        part.alternateEndsDoubleByte = lastDoubleByte;
    } else {
        part.commandLength = static_cast<size_t>(out - text);
        part.commandEndsDoubleByte = lastDoubleByte;
    }
    return part;
}

} // namespace

size_t TranslateCaretCodes(char* text) {
    return Translate(text, false).commandLength;
}

CommandPart TranslateCommandPart(char* text) {
    return Translate(text, true);
}

int32_t StoreItemCommand(std::string* dst, const char* text) {
    size_t length = strlen(text);
    return StoreItemCommand(dst, text, length, length > 0 && EndsWithDoubleByte(text, length));
}

int32_t StoreItemCommand(std::string* dst, const char* text, size_t length,
                         bool endsWithDoubleByte) {
    if (length == 0) {
        dst->clear();
        return 1;
    }
    char last = text[length - 1];
    if (!endsWithDoubleByte && last == '\\') {
        dst->assign(text, length - 1);
    } else if (!endsWithDoubleByte && static_cast<signed char>(last) < 0x20) {
        dst->assign(text, length);
    } else {
        // One copy with its newline: most commands fit the string's own room.
        char stored[kCommandRoom + 1];
        if (length < kCommandRoom) {
            memcpy(stored, text, length);
            stored[length] = '\n';
            dst->assign(stored, length + 1);
        } else {
            dst->reserve(length + 1);
            dst->assign(text, length);
            dst->push_back('\n');
        }
    }
    return static_cast<int32_t>(length + 2);
}

const char* SkipLeadingBlanks(const char* text) {
    for (;;) {
        if (*text == ' ' || *text == '\t') {
            ++text;
        } else if (static_cast<unsigned char>(text[0]) == 0x81 && text[1] == 0x40) {
            text += 2;
        } else {
            return text;
        }
    }
}
