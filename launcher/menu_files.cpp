#include "launcher/menu_files.h"

#include <windows.h>

#include <cstdio>

#include "launcher/launch_rules.h"
#include "menu/strutil/line_reader.h"
#include "menu/strutil/sjis_text.h"
#include "menu/strutil/text_file.h"

namespace {

// Writes text (lines ending in CR LF) as the whole file: into path + ".new"
// first, which then replaces path. 0 on any failure, path left as it was.
int WriteWholeFile(const std::string& path, const std::string& text) {
    const std::string side = path + ".new";
    FILE* file = fopen(side.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
    written = fclose(file) == 0 && written;
    if (!written || !MoveFileExA(side.c_str(), path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(side.c_str());
        return 0;
    }
    return 1;
}

// Appends the lines of the file at path that begin with prefix, line ends
// (LF or CR LF, as text mode reads them) removed. 0 when it cannot be opened.
int ReadLines(const std::string& path, const char* prefix, std::vector<std::string>* lines) {
    TextFile* file = OpenTextFile(path.c_str(), kTextFileRead);
    if (file == nullptr) {
        return 0;
    }
    file->lineEnds = LineEnds::kCrLfOrLf;
    std::string line;
    while (ReadWholeLine(file, &line)) {
        StripLineFeed(&line[0]);
        if (StartsWith(line.c_str(), prefix)) {
            lines->push_back(line.c_str());
        }
    }
    CloseTextFile(file);
    return 1;
}

} // namespace

int WriteSystemList(SetupFile& setup, const char* arguments, const std::string& path) {
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
    return WriteWholeFile(path, text);
}

int CollectMenuLines(SetupFile& setup, const char* arguments, const std::string& systemListPath,
                     std::vector<std::string>* lines) {
    std::vector<std::string> keys;
    if (!ReadLines(systemListPath, "", &keys)) {
        return 0;
    }
    for (const std::string& key : keys) {
        std::string menuFile;
        if (!key.empty() &&
            EvaluateSystemEntry(key.c_str(), setup.ReadValue("SYSTEM", key.c_str()).c_str(),
                                arguments, &menuFile)) {
            ReadLines(menuFile, "VXMENU", lines); // a file that cannot be read gives nothing
        }
    }
    return 1;
}

int WriteMenuConfig(const std::string& path, const LauncherSettings& s,
                    const std::vector<std::string>& menuLines) {
    std::string text = "[DIRECTORY]\r\n" + s.directoryLine + "\r\n\r\n";
    text += "[VX_SETVAR]\r\n" + s.ddeWaitLine + "\r\n" + s.findWaitLine + "\r\n\r\n";
    text += "[VXMENU]\r\n" + s.packageNameLine + "\r\n" + s.versionLine + "\r\n" +
            s.packageTypeLine + "\r\n";
    for (const std::string& line : menuLines) {
        text += line + "\r\n";
    }
    return WriteWholeFile(path, text);
}
