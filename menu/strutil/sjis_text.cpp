#include "menu/strutil/sjis_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

char* g_tokenPosition = nullptr;

bool IsBlankAt(const char* p, size_t* length) {
    if (p[0] == ' ' || p[0] == '\t') {
        *length = 1;
        return true;
    }
    if (static_cast<unsigned char>(p[0]) == 0x81 && p[1] == 0x40) {
        *length = 2;
        return true;
    }
    return false;
}

// Length of the longest prefix of src, at most limit bytes, that ends on a
// character boundary; a lead byte without its trail byte is left out.
size_t BoundaryWithin(const char* src, size_t count, size_t limit) {
    size_t n = 0;
    while (n < count && src[n] != '\0') {
        size_t step = IsLeadByte932(static_cast<unsigned char>(src[n])) ? 2 : 1;
        if (step == 2 && src[n + 1] == '\0') {
            break;
        }
        if (n + step > count || n + step > limit) {
            break;
        }
        n += step;
    }
    return n;
}

char FoldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

void TrimBlanks(char* text) {
    if (text == nullptr || text[0] == '\0' || strlen(text) > kMaxUtilText) {
        return;
    }
    // Walk forwards by characters so that a trail byte 0x40 after a lead
    // byte 0x81 is never mistaken for the end of a full-width space.
    size_t start = 0;
    size_t length = 0;
    while (text[start] != '\0' && IsBlankAt(text + start, &length)) {
        start += length;
    }
    size_t end = start; // one past the last non-blank character
    size_t i = start;
    while (text[i] != '\0') {
        if (IsBlankAt(text + i, &length)) {
            i += length;
        } else {
            i += CharLengthMb(text + i);
            end = i;
        }
    }
    memmove(text, text + start, end - start);
    text[end - start] = '\0';
}

char* TokenizeMbAt(char** position, const char* delimiters) {
    char* p = *position;
    if (p == nullptr) {
        return nullptr;
    }
    auto isDelimiter = [delimiters](char c) { return strchr(delimiters, c) != nullptr; };
    while (*p != '\0' && !IsLeadByte932(static_cast<unsigned char>(*p)) && isDelimiter(*p)) {
        ++p;
    }
    if (*p == '\0') {
        *position = p;
        return nullptr;
    }
    char* token = p;
    while (*p != '\0') {
        if (IsLeadByte932(static_cast<unsigned char>(*p))) {
            p += (p[1] != '\0') ? 2 : 1;
        } else if (isDelimiter(*p)) {
            *p = '\0';
            *position = p + 1;
            return token;
        } else {
            ++p;
        }
    }
    *position = p;
    return token;
}

char* TokenizeMb(char* text, const char* delimiters) {
    if (text != nullptr) {
        g_tokenPosition = text;
    }
    return TokenizeMbAt(&g_tokenPosition, delimiters);
}

const char* FindCharMb(const char* text, char c) {
    if (text == nullptr || text[0] == '\0' || strlen(text) > kMaxUtilText) {
        return nullptr;
    }
    for (const char* p = text; *p != '\0'; p += CharLengthMb(p)) {
        if (!IsLeadByte932(static_cast<unsigned char>(*p)) && *p == c) {
            return p;
        }
    }
    return nullptr;
}

char* FindCharMb(char* text, char c) {
    return const_cast<char*>(FindCharMb(static_cast<const char*>(text), c));
}

void ReplaceFirstChar(char* text, char c, char replacement) {
    if (text == nullptr) {
        return;
    }
    char* p = strchr(text, c);
    if (p != nullptr && c != '\0') {
        *p = replacement;
    }
}

void ZeroFill(void* buffer, size_t length) {
    memset(buffer, 0, length);
}

size_t CopyTextN(char* dst, size_t size, const char* src, size_t count) {
    if (dst == nullptr || size == 0) {
        return 0;
    }
    size_t n = src ? BoundaryWithin(src, count, size - 1) : 0;
    memmove(dst, src, n);
    dst[n] = '\0';
    return n;
}

size_t CopyText(char* dst, size_t size, const char* src) {
    return CopyTextN(dst, size, src, static_cast<size_t>(-1));
}

size_t FormatText(char* dst, size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    size_t n = FormatTextV(dst, size, format, args);
    va_end(args);
    return n;
}

size_t FormatTextV(char* dst, size_t size, const char* format, va_list args) {
    if (dst == nullptr || size == 0) {
        return 0;
    }
    int needed = vsnprintf(dst, size, format, args);
    if (needed < 0) {
        dst[0] = '\0';
        return 0;
    }
    // vsnprintf may have cut a double-byte character in two: drop its lead byte.
    size_t n = BoundaryWithin(dst, strlen(dst), size - 1);
    dst[n] = '\0';
    return n;
}

bool EqualsIgnoringCase(const char* a, size_t length, const char* b) {
    size_t i = 0;
    while (i < length) {
        if (b[i] == '\0') {
            return false;
        }
        if (IsLeadByte932(static_cast<unsigned char>(a[i])) && i + 1 < length) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
            i += 2;
            continue;
        }
        if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
        ++i;
    }
    return b[length] == '\0';
}

const char* FindTextMb(const char* text, const char* part) {
    size_t length = strlen(part);
    for (const char* p = text;; p += CharLengthMb(p)) {
        if (strncmp(p, part, length) == 0) {
            return p;
        }
        if (*p == '\0') {
            return nullptr;
        }
    }
}

const char* LastCharMb(const char* text) {
    const char* last = nullptr;
    for (const char* p = text; *p != '\0'; p += CharLengthMb(p)) {
        last = p;
    }
    return last;
}

bool StartsWith(const char* text, const char* prefix) {
    return strncmp(text, prefix, strlen(prefix)) == 0;
}

int32_t ParseDecimal(const char* text) {
    const char* p = text;
    while (*p == ' ' || *p == '\t') {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = (*p == '-');
        ++p;
    }
    // Held at most one past INT32_MAX, so the next step cannot overflow.
    const int64_t beyond = int64_t{INT32_MAX} + 1;
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > beyond) {
            value = beyond;
        }
    }
    if (negative) {
        return static_cast<int32_t>(-value); // down to INT32_MIN
    }
    return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}
