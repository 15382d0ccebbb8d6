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

} // namespace

size_t TranslateCaretCodes(char* text) {
    const char* in = text;
    char* out = text;
    while (*in != '\0') {
        if (IsLeadByte932(static_cast<unsigned char>(*in))) {
            if (in[1] == '\0') {
                break; // a lead byte without its trail byte
            }
            *out++ = in[0];
            *out++ = in[1];
            in += 2;
            continue;
        }
        if (*in == '^') {
            char code = CaretCodeOf(in[1]);
            if (code != 0) {
                *out++ = code;
                in += 2;
                continue;
            }
        }
        *out++ = *in++;
    }
    *out = '\0';
    return static_cast<size_t>(out - text);
}

int32_t StoreItemCommand(std::string* dst, const char* text) {
    size_t length = strlen(text);
    if (length == 0) {
        dst->clear();
        return 1;
    }
    char last = text[length - 1];
    if (EndsWithDoubleByte(text, length)) {
        dst->reserve(length + 1);
        dst->assign(text, length);
        dst->push_back('\n');
    } else if (last == '\\') {
        dst->assign(text, length - 1);
    } else if (static_cast<signed char>(last) < 0x20) {
        dst->assign(text, length);
    } else {
        dst->reserve(length + 1);
        dst->assign(text, length);
        dst->push_back('\n');
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
