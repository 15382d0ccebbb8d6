#include "installer/setup_action_data.h"

#include <cstring>

#include "menu/strutil/sjis_text.h"

const OfficeSetting kOfficeSettings[kOfficeSettingCount] = {
    {"ACADDIR", "DIRECTORY", "ACADDIR"},        {"ACAD14DIR", "DIRECTORY", "ACAD14DIR"},
    {"ACAD15DIR", "DIRECTORY", "ACAD15DIR"},    {"ACAD16DIR", "DIRECTORY", "ACAD16DIR"},
    {"DEFTEMPNAME", "REGISTRY", "DEFTEMPNAME"}, {"PFNAME", "REGISTRY", "PFNAME"},
};

namespace {

constexpr ScanTable kFieldEnd = MakeScanTable("|");
// The longest menu path the launcher forms below the package folder.
constexpr size_t kLongestTail = sizeof("\\VXMENU\\VXMENU32.INI") - 1;

// Copies [begin, end) into dst (kSetupValueSize bytes); 0 when it does not fit.
int CopyField(char* dst, const char* begin, const char* end) {
    size_t length = static_cast<size_t>(end - begin);
    if (length >= kSetupValueSize) {
        return 0;
    }
    memcpy(dst, begin, length);
    dst[length] = '\0';
    return 1;
}

} // namespace

int ParseSetupActionData(const char* text, SetupActionData* out) {
    memset(out, 0, sizeof(*out));
    char* p = const_cast<char*>(text);
    char* fields[kOfficeSettingCount + 1];
    for (int i = 0; i <= kOfficeSettingCount; ++i) {
        fields[i] = i == 0 ? out->packageDir : out->values[i - 1];
        char* end = i == kOfficeSettingCount ? p + strlen(p) : NextStop(p, kFieldEnd);
        if ((i < kOfficeSettingCount && *end != '|') || !CopyField(fields[i], p, end)) {
            return 0;
        }
        p = end + (*end == '|' ? 1 : 0);
    }
    // Windows Installer's folders end in '\'; the launcher adds its own.
    for (const char* last = LastCharMb(out->packageDir); last != nullptr && *last == '\\';
         last = LastCharMb(out->packageDir)) {
        out->packageDir[last - out->packageDir] = '\0';
    }
    return out->packageDir[0] != '\0';
}

int PackageDirUsable(const char* dir) {
    // A '.' (0x2E) is never the second byte of a double-byte character.
    return strchr(dir, '.') == nullptr && strlen(dir) + kLongestTail < kSetupValueSize;
}
