#include "tools/standin_cad/lisp_text.h"

#include "menu/strutil/sjis_text.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kMalformed[] = "error: malformed list on input";

// A lead byte followed by a byte that can be its trail byte: one
// character of two bytes (a '"' after a stray lead byte still ends a string).
bool IsDoubleByte(const char* p) {
    const unsigned char trail = static_cast<unsigned char>(p[1]);
    return IsLeadByte932(static_cast<unsigned char>(p[0])) &&
           ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC));
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool EndsAtom(char c) {
    return c == '\0' || IsSpace(c) || c == '(' || c == ')' || c == '"';
}

const char* SkipSpaces(const char* p) {
    while (IsSpace(*p)) {
        ++p;
    }
    return p;
}

// A string literal from p (at its opening quote); nullptr when unterminated.
const char* ParseString(const char* p, std::string* out) {
    for (++p; *p != '"'; ++p) {
        if (*p == '\0') {
            return nullptr;
        }
        if (IsDoubleByte(p)) {
            out->append(p, 2);
            ++p;
        } else if (*p == '\\') {
            ++p;
            switch (*p) {
            case '\0':
                return nullptr;
            case 'n':
                *out += '\n';
                break;
            case 't':
                *out += '\t';
                break;
            case '0':
            case '1':
            case '2':
            case '3':
                if (p[1] >= '0' && p[1] <= '7' && p[2] >= '0' && p[2] <= '7') {
                    *out += static_cast<char>((p[0] - '0') * 64 + (p[1] - '0') * 8 + (p[2] - '0'));
                    p += 2;
                    break;
                }
                *out += *p;
                break;
            default: // \\, \" and any other character stand for themselves
                *out += *p;
                break;
            }
        } else {
            *out += *p;
        }
    }
    return p + 1;
}

// An atom that is not a string: nil, T, an integer or a real.
bool ParseAtom(const std::string& word, LispValue* value) {
    if (EqualsIgnoringCase(word.c_str(), word.size(), "NIL")) {
        value->type = RTNIL;
        return true;
    }
    if (EqualsIgnoringCase(word.c_str(), word.size(), "T")) {
        value->type = RTT;
        return true;
    }
    const char* begin = word.c_str();
    char* end = nullptr;
    errno = 0;
    long long integer = strtoll(begin, &end, 10);
    if (end != begin && *end == '\0' && errno == 0 && integer >= INT_MIN && integer <= INT_MAX) {
        value->type = (integer >= SHRT_MIN && integer <= SHRT_MAX) ? RTSHORT : RTLONG;
        value->integer = static_cast<long>(integer);
        return true;
    }
    double real = strtod(begin, &end);
    if (end != begin && *end == '\0' &&
        (word[0] == '.' || (word[0] >= '0' && word[0] <= '9') || word[0] == '-' ||
         word[0] == '+')) {
        value->type = RTREAL;
        value->real = real;
        return true;
    }
    return false;
}

} // namespace

std::string ParseLispCall(const char* text, LispCall* call) {
    *call = LispCall{};
    const char* p = SkipSpaces(text);
    if (*p != '(') {
        return kMalformed;
    }
    p = SkipSpaces(p + 1);
    const char* nameStart = p;
    while (!EndsAtom(*p)) {
        p += CharLengthMb(p);
    }
    call->name.assign(nameStart, p);
    if (call->name.empty()) {
        return kMalformed;
    }
    for (;;) {
        p = SkipSpaces(p);
        if (*p == ')') {
            break;
        }
        LispValue value;
        if (*p == '"') {
            value.type = RTSTR;
            p = ParseString(p, &value.text);
            if (p == nullptr) {
                return kMalformed;
            }
        } else {
            const char* start = p;
            while (!EndsAtom(*p)) {
                p += CharLengthMb(p);
            }
            std::string word(start, p);
            if (word.empty()) {
                return kMalformed; // end of text or a nested list
            }
            if (!ParseAtom(word, &value)) {
                return "error: bad argument: " + word;
            }
        }
        call->args.push_back(value);
    }
    if (*SkipSpaces(p + 1) != '\0') {
        return kMalformed;
    }
    return "";
}

std::string LispString(const char* text) {
    std::string out = "\"";
    for (const char* p = text; *p != '\0'; ++p) {
        if (IsDoubleByte(p)) {
            out.append(p, 2);
            ++p;
            continue;
        }
        if (IsLeadByte932(static_cast<unsigned char>(*p))) {
            // A stray lead byte in octal, so that it pairs with nothing after it.
            char octal[8];
            snprintf(octal, sizeof octal, "\\%03o", static_cast<unsigned char>(*p));
            out += octal;
            continue;
        }
        if (*p == '\\' || *p == '"') {
            out += '\\';
        }
        out += *p;
    }
    return out + "\"";
}

std::string LispReal(double value) {
    char text[64];
    snprintf(text, sizeof text, "%.6g", value);
    if (strpbrk(text, ".eEn") == nullptr) {
        strcat(text, ".0");
    }
    return text;
}

int LispList(const resbuf* list, std::string* text) {
    text->clear();
    if (list == nullptr) {
        *text = "nil";
        return 1;
    }
    std::string out = "(";
    int depth = 0;
    bool first = true; // no blank before the first element of a list
    for (const resbuf* rb = list; rb != nullptr; rb = rb->rbnext) {
        if (rb->restype == RTLE) {
            if (depth == 0) {
                return 0; // closes no list
            }
            out += ')';
            --depth;
            first = false;
            continue;
        }
        if (!first) {
            out += ' ';
        }
        first = false;
        switch (rb->restype) {
        case RTLB:
            out += '(';
            ++depth;
            first = true;
            break;
        case RTSTR:
            out += rb->resval.rstring != nullptr ? LispString(rb->resval.rstring) : "nil";
            break;
        case RTSHORT:
            out += std::to_string(rb->resval.rint);
            break;
        case RTLONG:
            out += std::to_string(rb->resval.rlong);
            break;
        case RTREAL:
            out += LispReal(rb->resval.rreal);
            break;
        case RTPOINT:
            out += "(" + LispReal(rb->resval.rpoint[0]) + " " + LispReal(rb->resval.rpoint[1]) +
                   " " + LispReal(rb->resval.rpoint[2]) + ")";
            break;
        case RTT:
            out += "T";
            break;
        case RTNIL:
            out += "nil";
            break;
        default:
            out += "<" + std::to_string(rb->restype) + ">";
            break;
        }
    }
    if (depth != 0) {
        return 0; // a list never closed
    }
    *text = out + ")";
    return 1;
}
