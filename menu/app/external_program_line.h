// One EXAPDIR line of the [DIRECTORY] section: an external program that the
// floating menu starts and links by DDE.
#pragma once

#include "menu/app/app_limits.h"

struct ExternalProgramFields {
    char path[kPathSize];
    char service[kNameSize];
    char topic[kNameSize];
    char key[kNameSize];
    char exitCommand[kNameSize];
};

enum class ExternalLine {
    NotExternal, // the line does not begin with "EXAPDIR"
    Empty,       // nothing after '=': takes a slot, starts nothing
    Incomplete,  // path, service, topic or key missing
    Defined,     // all four present
};

// Reads one line. The value after the first '=' is split at ',' into path,
// service, topic, key and exit command, each trimmed of blanks; runs of
// commas count as one separator. The exit command keeps the line's line
// feed; the other fields never hold one.
ExternalLine ParseExternalProgramLine(const char* line, ExternalProgramFields* fields);
