#include "menu/ui/reset_text.h"

#include <cstring>

size_t BuildResetText(const std::vector<PackageEntry>& packages, const int* selected, int count,
                      char* text) {
    size_t length = 0;
    for (int i = 0; i < count; ++i) {
        int package = selected[i];
        if (package < 0 || package >= static_cast<int>(packages.size())) {
            continue;
        }
        const std::string& command = packages[package].initCommand;
        if (length + command.size() + 1 >= kResetTextSize) {
            continue;
        }
        memcpy(text + length, command.data(), command.size());
        length += command.size();
        text[length++] = '\n';
    }
    text[length] = '\0';
    return length;
}
