#include "menu/model/menu_text.h"

#include <cstring>
#include <memory>
#include <vector>

MenuTextRoom g_menuTextRoom = {nullptr, 0};

namespace {

// Blocks of this size hold the texts; a longer text gets a block of its own.
constexpr size_t kTextBlockBytes = 64 * 1024;

std::vector<std::unique_ptr<char[]>> g_textBlocks;

} // namespace

char* NewMenuTextBlock(size_t bytes) {
    const size_t size = bytes > kTextBlockBytes ? bytes : kTextBlockBytes;
    g_textBlocks.reserve(g_textBlocks.size() + 1);
    g_textBlocks.emplace_back(new char[size]);
    char* block = g_textBlocks.back().get();
    g_menuTextRoom = MenuTextRoom{block + bytes, size - bytes};
    return block;
}

void FreeMenuTexts() {
    std::vector<std::unique_ptr<char[]>>().swap(g_textBlocks);
    g_menuTextRoom = MenuTextRoom{nullptr, 0};
}
