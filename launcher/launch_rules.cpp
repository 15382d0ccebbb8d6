#include "launcher/launch_rules.h"

#include <cstring>

#include "launcher/setup_text.h"
#include "menu/app/app_limits.h"
#include "menu/strutil/sjis_text.h"

const CadFolderKey kCadFolderKeys[kCadFolderKeyCount] = {
    {"ACADDIR", "AutoCAD Serise", kPathSize},
    {"ACAD14DIR", "AutoCAD Serise", kPathSize},
    {"ACAD15DIR", "AutoCAD 2000/2000i/2002 Serise", kCommandSize},
    {"ACAD16DIR", "AutoCAD 2004 Serise", kCommandSize},
};

namespace {

bool EndsWithBackslash(const std::string& text) {
    const char* last = LastCharMb(text.c_str());
    return last != nullptr && *last == '\\';
}

std::string Quoted(std::string text) {
    size_t trailing = 0;
    std::string rest = text;
    while (EndsWithBackslash(rest)) {
        rest.pop_back();
        ++trailing;
    }
    text.append(trailing, '\\');
    return "\"" + text + "\"";
}

} // namespace

bool IsNullSetting(const std::string& value) {
    return EqualsIgnoringCase(value.c_str(), value.size(), "NULL");
}

std::string OptionText(const char* arguments) {
    size_t length = strlen(arguments);
    size_t start = 0;
    size_t end = length;
    bool started = false;
    for (size_t i = 0; i < length; i += CharLengthMb(arguments + i)) {
        if (arguments[i] != '/') {
            continue;
        }
        if ((arguments[i + 1] == 'S' || arguments[i + 1] == 's') && arguments[i + 2] == ' ') {
            start = i + 3;
            started = true;
        } else if (started) {
            end = i;
            break;
        }
    }
    return end > start ? std::string(arguments + start, end - start) : std::string();
}

bool AsksForNewSystemList(const char* arguments) {
    return FindTextMb(arguments, "/S ") != nullptr || FindTextMb(arguments, "/s ") != nullptr;
}

bool EvaluateSystemEntry(const char* key, const char* value, const char* arguments,
                         std::string* menuFile) {
    std::string v = value;
    TrimWhite(&v);
    if (v.empty()) {
        return false;
    }
    std::string folder;
    std::string file;
    // A quote or blank that never comes takes the rest of the text (npos).
    if (v[0] == '"') {
        size_t close = FindCharFrom(v, '"', 1);
        folder = v.substr(1, close - 1);
        std::string rest = close < v.size() ? v.substr(close + 1) : "";
        TrimLeftWhite(&rest);
        if (!rest.empty() && rest[0] == '"') {
            file = rest.substr(1, FindCharFrom(rest, '"', 1) - 1);
        } else {
            file = rest.substr(0, FindCharFrom(rest, ' ', 0));
        }
    } else {
        folder = v.substr(0, FindCharFrom(v, ' ', 0));
    }
    if (!EndsWithBackslash(folder)) {
        folder += '\\';
    }
    *menuFile = folder + file;
    if (*LastCharMb(v.c_str()) == '1') {
        return true;
    }
    return FindTextMb(OptionText(arguments).c_str(), key) == nullptr;
}

std::string BuildCadCommandLine(const CadCommandParts& p) {
    std::string line = "\"" + p.acadDir + "\\ACAD.EXE\"";
    if (p.arguments.find('"') != std::string::npos) {
        line += " " + p.arguments; // quoted by the user already: passed on as it is
    } else if (!p.arguments.empty()) {
        line += " " + Quoted(p.arguments);
    }
    if (IsNullSetting(p.options)) {
        line += " /C " + Quoted(p.packageDir) + " /P " + p.profileName;
        if (!p.templateName.empty()) {
            line += " /T " + p.templateName;
        }
    } else {
        line += " " + p.options;
    }
    return line;
}

std::string ProfileValueText(const std::string& value) {
    std::string trimmed = value;
    TrimWhite(&trimmed);
    size_t n = trimmed.size();
    if (n >= 2 && (trimmed[0] == '"' || trimmed[0] == '\'') && trimmed[n - 1] == trimmed[0]) {
        return "\"" + value + "\"";
    }
    return value;
}

size_t ProfileReadLength(const std::string& value) {
    std::string trimmed = value;
    TrimWhite(&trimmed);
    return trimmed.size();
}
