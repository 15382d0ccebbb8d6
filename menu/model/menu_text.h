// Texts of the menu model: NUL-terminated Shift-JIS bytes kept in one store
// for the whole model (few large blocks instead of one allocation per text),
// released with the model. A MenuText only refers to its bytes: one pointer,
// so that items stay small (a kept text never holds a NUL of its own).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class MenuText {
public:
    MenuText() = default;
    // Refers to text, which must outlive it (a literal, or bytes of the store).
    explicit MenuText(const char* text) : data_(text) {}

    const char* c_str() const { return data_; }
    const char* data() const { return data_; }
    size_t size() const { return strlen(data_); }
    bool empty() const { return data_[0] == '\0'; }
    char operator[](size_t i) const { return data_[i]; }
    std::string str() const { return std::string(data_); }
    operator std::string() const { return str(); }

private:
    const char* data_ = "";
};

inline bool operator==(const MenuText& a, const MenuText& b) {
    return strcmp(a.c_str(), b.c_str()) == 0;
}
inline bool operator==(const MenuText& a, const char* b) {
    return strcmp(a.c_str(), b) == 0;
}
inline bool operator==(const MenuText& a, const std::string& b) {
    return a.size() == b.size() && memcmp(a.data(), b.data(), b.size()) == 0;
}
inline bool operator!=(const MenuText& a, const char* b) {
    return !(a == b);
}
inline std::string operator+(const std::string& a, const MenuText& b) {
    return a + b.c_str();
}
inline std::string operator+(const char* a, const MenuText& b) {
    return a + b.str();
}

// Where kept texts go: the unused bytes of the store's newest block.
struct MenuTextRoom {
    char* next;
    size_t left;
};
extern MenuTextRoom g_menuTextRoom;

// Room for bytes more bytes in a new block of the store (std::bad_alloc when
// memory runs out).
char* NewMenuTextBlock(size_t bytes);

// Copies length bytes of text (no NUL among them) into the store, followed by
// a line feed when lineFeed is set and by a NUL.
inline MenuText KeepMenuText(const char* text, size_t length, bool lineFeed = false) {
    const size_t size = length + (lineFeed ? 1 : 0);
    if (size == 0) {
        return MenuText();
    }
    char* kept;
    if (size < g_menuTextRoom.left) {
        kept = g_menuTextRoom.next;
        g_menuTextRoom.next += size + 1;
        g_menuTextRoom.left -= size + 1;
    } else {
        kept = NewMenuTextBlock(size + 1);
    }
    memcpy(kept, text, length);
    if (lineFeed) {
        kept[length] = '\n';
    }
    kept[size] = '\0';
    return MenuText(kept);
}

// Releases every text kept so far; the MenuTexts that refer to them must be gone.
void FreeMenuTexts();
