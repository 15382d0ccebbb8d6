#include "launcher/menu_files.h"

#include <cstdio>

#include "launcher/launch_rules.h"
#include "launcher/launcher_settings.h"
#include "menu/strutil/line_reader.h"
#include "menu/strutil/sjis_text.h"
#include "menu/strutil/text_file.h"

namespace {

// Writes text (lines ending in CR LF) as the whole file; 0 on any failure.
int WriteWholeFile(const std::string& path, const std::string& text) {
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
    return fclose(file) == 0 && written ? 1 : 0;
}

// Appends the lines of the file that begin with prefix, line ends removed.
void ReadLines(TextFile* file, const char* prefix, std::vector<std::string>* lines) {
    std::string line;
    while (ReadWholeLine(file, &line)) {
        StripLineFeed(&line[0]);
        if (StartsWith(line.c_str(), prefix)) {
            lines->push_back(line.c_str());
        }
    }
}

} // namespace

int WriteSystemList(SetupFile& setup, const char* arguments) {
    std::vector<std::string> keys;
    setup.ReadSectionKeys("SYSTEM", &keys);
    std::string text;
    for (const std::string& key : keys) {
        std::string menuFile;
        if (EvaluateSystemEntry(key.c_str(), setup.ReadValue("SYSTEM", key.c_str()).c_str(),
                                arguments, &menuFile)) {
            text += key + "\r\n";
        }
    }
    return WriteWholeFile(g_settings.systemListPath, text);
}

int CollectMenuLines(SetupFile& setup, const char* arguments, std::vector<std::string>* lines) {
    TextFile* list = OpenTextFile(g_settings.systemListPath.c_str(), kTextFileRead);
    if (list == nullptr) {
        return 0;
    }
    std::vector<std::string> keys;
    ReadLines(list, "", &keys);
    for (const std::string& key : keys) {
        std::string menuFile;
        if (key.empty() ||
            !EvaluateSystemEntry(key.c_str(), setup.ReadValue("SYSTEM", key.c_str()).c_str(),
                                 arguments, &menuFile)) {
            continue;
        }
        TextFile* menu = OpenTextFile(menuFile.c_str(), kTextFileRead);
        if (menu == nullptr) {
            continue; // a menu file that cannot be read contributes nothing
        }
        ReadLines(menu, "VXMENU", lines);
        CloseTextFile(menu);
    }
    CloseTextFile(list);
    return 1;
}

int WriteMenuConfig(const std::vector<std::string>& menuLines) {
    const LauncherSettings& s = g_settings;
    std::string text = "[DIRECTORY]\r\n" + s.directoryLine + "\r\n\r\n";
    text += "[VX_SETVAR]\r\n" + s.ddeWaitLine + "\r\n" + s.findWaitLine + "\r\n\r\n";
    text += "[VXMENU]\r\n" + s.packageNameLine + "\r\n" + s.versionLine + "\r\n" +
            s.packageTypeLine + "\r\n";
    for (const std::string& line : menuLines) {
        text += line + "\r\n";
    }
    return WriteWholeFile(s.menuConfigPath, text);
}
