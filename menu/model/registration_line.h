// The menu section of the configuration file and its package registration
// lines: VXMENU="menu file" "display name" initialisation command
#pragma once

#include <string>

// 1 when line (line feed removed) is "[" menuName "]", ignoring the case of
// ASCII letters.
int IsMenuSectionHeader(const char* line, const char* menuName);

// The registration value of one menu-section line (line feed removed):
// leading spaces and '=' are skipped, the first word ends at a space or '='
// and must be exactly "VXMENU"; the value is the rest after that one
// delimiter. nullptr for any other line and for an empty value. Writes a
// NUL into line.
char* RegistrationValueOf(char* line);

struct RegistrationFields {
    const char* menuFile; // texts point into the parsed value
    const char* displayName;
    const char* initCommand; // leading blanks removed, caret codes translated
};

// Splits a registration value in place at double quotes: menu file, a
// separator that is dropped, display name, initialisation command. Missing
// fields are empty. Returns 0 when the value holds only blanks.
int ParseRegistrationValue(char* value, RegistrationFields* fields);

// For the menu checker, over lines as written (before the calls above cut
// them):
// 1 when line is not the section header but would be without its blanks.
int IsMenuSectionHeaderWithBlanks(const char* line, const char* menuName);

// The key of a line that is no registration although it looks like one: its
// first word differs from "VXMENU" only in case, tabs or full-width spaces.
// nullptr for any other line. Writes a NUL into line.
const char* LookalikeRegistrationKey(char* line);

// The initialisation command as written, up to the double quote that ends
// it before the end of the value (the rest is never sent). 0 when no quote
// cuts it.
int CutInitCommand(const char* value, std::string* sent);

// The display name as the value shows it: the text between its third and
// fourth double quote. 0 when the value has fewer quotes.
int WrittenDisplayName(const char* value, std::string* name);
