#include "menu/model/command_text.h"

#include "menu/strutil/sjis_text.h"

#include <cstring>

namespace {

// Classes of the bytes of a command text: 1 an ordinary byte, 2 a lead
// byte, 0 a stop (the NUL, '^', and with the cut also ';'); and the byte
// that '^' and a letter stand for (0: none).
struct CommandBytes {
    unsigned char step[256];
    char caretCode[256];
};

constexpr CommandBytes MakeCommandBytes(bool cut) {
    CommandBytes table{};
    for (int c = 0; c < 256; ++c) {
        table.step[c] = IsLeadByte932(static_cast<unsigned char>(c)) ? 2 : 1;
    }
    table.step[0] = 0;
    table.step[static_cast<unsigned char>('^')] = 0;
    if (cut) {
        table.step[static_cast<unsigned char>(';')] = 0;
    }
    const char codes[][2] = {{'B', 0x02}, {'C', 0x1B}, {'D', 0x04}, {'G', 0x07},
                             {'H', 0x08}, {'O', 0x0F}, {'V', 0x16}};
    for (const auto& code : codes) {
        table.caretCode[static_cast<unsigned char>(code[0])] = code[1];
        table.caretCode[static_cast<unsigned char>(code[0] - 'A' + 'a')] = code[1];
    }
    return table;
}

constexpr CommandBytes kCaretStops = MakeCommandBytes(false);
constexpr CommandBytes kCommandStops = MakeCommandBytes(true);

// Caret codes translated in place; with cut, the text is also cut at its
// first ';' (later ones are ordinary bytes). One pass that notes where the
// last double-byte character written ends.
CommandPart Translate(char* text, bool cut) {
    const CommandBytes* bytes = cut ? &kCommandStops : &kCaretStops;
    CommandPart part{0, 0, 0, 0, 0};
    const char* in = text;
    char* out = text;
    char* semicolon = nullptr;
    const char* doubleByteEnd = nullptr;
    for (;;) {
        const unsigned step = bytes->step[static_cast<unsigned char>(*in)];
        if (step == 1) {
            *out++ = *in++;
            continue;
        }
        if (step == 2) {
            if (in[1] == '\0') {
                break; // a lead byte without its trail byte
            }
            out[0] = in[0];
            out[1] = in[1];
            out += 2;
            in += 2;
            doubleByteEnd = out;
            continue;
        }
        if (*in == '\0') {
            break;
        }
        if (*in == '^') {
            const char code = bytes->caretCode[static_cast<unsigned char>(in[1])];
            if (code != 0) {
                *out++ = code;
                in += 2;
                continue;
            }
        } else {
            semicolon = out;
            part.commandEndsDoubleByte = doubleByteEnd == out;
            bytes = &kCaretStops;
        }
        *out++ = *in++;
    }
    *out = '\0';
    if (semicolon != nullptr) {
        *semicolon = '\0';
        part.hasAlternate = 1;
        part.commandLength = static_cast<size_t>(semicolon - text);
        part.alternateLength = static_cast<size_t>(out - semicolon - 1);
        part.alternateEndsDoubleByte = doubleByteEnd == out;
    } else {
        part.commandLength = static_cast<size_t>(out - text);
        part.commandEndsDoubleByte = doubleByteEnd == out;
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
