#include "launcher/setup_file.h"

#include <windows.h>

#include "launcher/setup_text.h"

namespace {

// Shared by every read, as the reads run one after the other on one thread.
char g_work[4096];

} // namespace

int SetupFile::WriteValue(const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, path_.c_str()) ? 1 : 0;
}

std::string SetupFile::ReadValue(const char* section, const char* key) {
    return ReadText(section, key, "");
}

void SetupFile::ReadSectionKeys(const char* section, std::vector<std::string>* keys) {
    DWORD length = GetPrivateProfileSectionA(section, g_work, sizeof g_work, path_.c_str());
    if (length > 0) {
        *keys = SectionKeyNames(g_work, length);
    }
}

void SetupFile::ExpandReferences(std::string* text) {
    ExpandReferenceText(text, [this](const std::string& section, const std::string& key) {
        return ReadValue(section.c_str(), key.c_str());
    });
}

std::string SetupFile::ReadText(const char* section, const char* key, const char* fallback) {
    DWORD length =
        GetPrivateProfileStringA(section, key, fallback, g_work, sizeof g_work, path_.c_str());
    return std::string(g_work, length);
}

int SetupFile::ReadInt(const char* section, const char* key, int fallback) {
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, path_.c_str()));
}
