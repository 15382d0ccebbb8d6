// Portable rules of the launcher's start: which menu packages are in use,
// the CAD program's command line and how values are written into the
// floating menu's configuration file.
#pragma once

#include <cstddef>
#include <string>

// True when value is "NULL" in any case: a setup value that counts as missing.
bool IsNullSetting(const std::string& value);

// The keys of section DIRECTORY that name the CAD program's folder, in the
// order they are tried, with the label of their CAD series and the floating
// menu's read buffer (bytes with the NUL) for the command line stored under
// the same key.
struct CadFolderKey {
    const char* key;
    const char* seriesText;
    int menuValueSize;
};
constexpr int kCadFolderKeyCount = 4;
extern const CadFolderKey kCadFolderKeys[kCadFolderKeyCount];

// The option text of the argument text: from after the last "/S " (or "/s ")
// up to the next other '/', or all of it without "/S ".
std::string OptionText(const char* arguments);

// True when the argument text holds "/S " or "/s ": the system list is written anew.
bool AsksForNewSystemList(const char* arguments);

// Decides whether the system entry key = value is in use for this argument
// text; gives the entry's menu file path (folder, '\' when the folder does
// not end in one, file name), left unchanged for an empty value. A key named
// anywhere in the option text leaves the entry out unless its value ends in '1'.
bool EvaluateSystemEntry(const char* key, const char* value, const char* arguments,
                         std::string* menuFile);

// What the CAD program's command line is built from; options "NULL" means
// none were set.
struct CadCommandParts {
    std::string acadDir;
    std::string arguments;
    std::string packageDir;
    std::string profileName;
    std::string options;
    std::string templateName;
};

// The command line: the quoted ACAD.EXE in the CAD folder, then the
// argument text when there is one (quoted whole, unless it holds a double
// quote already: then as it is), then /C "package folder" /P profile
// (/T template when set) without options, or the options themselves. A
// quoted argument ending in backslashes gets them doubled, so that the
// closing quote is not read as part of it.
std::string BuildCadCommandLine(const CadCommandParts& parts);

// The text to write after "key=" in a profile file so that reading the key
// back gives value whole: a value that, trimmed, begins and ends with the
// same quote would lose those quotes and gets one more pair of double quotes.
std::string ProfileValueText(const std::string& value);

// Characters of value that a profile read gives back (its trimmed length).
size_t ProfileReadLength(const std::string& value);
