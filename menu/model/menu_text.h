// Texts of the menu model: NUL-terminated Shift-JIS bytes kept in one store
// for the whole model (few large blocks instead of one allocation per text),
// released with the model. A MenuText only refers to its bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>

class MenuText {
public:
    MenuText() = default;
    // Refers to text, which must outlive it (a literal, or bytes of the store).
    explicit MenuText(const char* text);
    MenuText(const char* text, size_t size) : data_(text), size_(size) {}

    const char* c_str() const { return data_; }
    const char* data() const { return data_; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    char operator[](size_t i) const { return data_[i]; }
    std::string str() const { return std::string(data_, size_); }
    operator std::string() const { return str(); }

private:
    const char* data_ = "";
    size_t size_ = 0;
};

bool operator==(const MenuText& a, const MenuText& b);
bool operator==(const MenuText& a, const char* b);
bool operator==(const MenuText& a, const std::string& b);
inline bool operator!=(const MenuText& a, const char* b) {
    return !(a == b);
}
inline std::string operator+(const std::string& a, const MenuText& b) {
    return a + b.str();
}
inline std::string operator+(const char* a, const MenuText& b) {
    return a + b.str();
}
std::ostream& operator<<(std::ostream& out, const MenuText& text);

// Where kept texts go: the unused bytes of the store's newest block.
struct MenuTextRoom {
    char* next;
    size_t left;
};
extern MenuTextRoom g_menuTextRoom;

// Room for bytes more bytes in a new block of the store (std::bad_alloc when
// memory runs out).
char* NewMenuTextBlock(size_t bytes);

// Copies length bytes of text into the store, followed by a line feed when
// lineFeed is set and by a NUL.
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
    return MenuText(kept, size);
}

// Releases every text kept so far; the MenuTexts that refer to them must be gone.
void FreeMenuTexts();
