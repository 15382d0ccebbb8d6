#include "menu/cadlink/exec_command.h"

#include "menu/strutil/sjis_text.h"

#include <cstring>

void SplitExecText(const char* text, char (&program)[kPathSize], char (&arguments)[kPathSize]) {
    const char* space = FindCharMb(text, ' ');
    if (space == nullptr) {
        CopyText(program, sizeof program, text);
        arguments[0] = '\0';
    } else {
        CopyTextN(program, sizeof program, text, static_cast<size_t>(space - text));
        CopyText(arguments, sizeof arguments, space);
    }
    TrimBlanks(program);
    TrimBlanks(arguments);
}

int SplitDirectoryMacro(const char* program, char (&prefix)[kPathSize], char (&key)[kPathSize],
                        char (&tail)[kPathSize]) {
    const char* first = FindCharMb(program, '#');
    if (first == nullptr) {
        return 0;
    }
    const char* second = FindCharMb(first + 1, '#');
    if (second == nullptr || second == first + 1) {
        return 0;
    }
    CopyTextN(prefix, sizeof prefix, program, static_cast<size_t>(first - program));
    CopyTextN(key, sizeof key, first + 1, static_cast<size_t>(second - first - 1));
    CopyText(tail, sizeof tail, second + 1);
    return 1;
}

void BuildExecCommandLine(const char* program, const char* arguments, char* commandLine,
                          size_t size) {
    if (FindCharMb(program, ' ') != nullptr) {
        FormatText(commandLine, size, "\"%s\" %s", program, arguments);
    } else {
        FormatText(commandLine, size, "%s %s", program, arguments);
    }
}
