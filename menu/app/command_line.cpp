#include "menu/app/command_line.h"

#include "menu/strutil/sjis_text.h"

#include <cstring>

namespace {

struct Targets {
    char (&iniPath)[kPathSize];
    char (&menuName)[kPathSize];
    char (&cadWindowText)[kNameSize];
};

void ClassifyWord(const char* word, const Targets& t) {
    if (word[0] == '\0') {
        return;
    }
    if (strncmp(word, "/MENU:", 6) == 0 || strncmp(word, "/menu:", 6) == 0) {
        CopyText(t.menuName, sizeof t.menuName, word + 6);
    } else if (strncmp(word, "/HWND:", 6) == 0 || strncmp(word, "/hwnd:", 6) == 0) {
        CopyText(t.cadWindowText, sizeof t.cadWindowText, word + 6);
    } else {
        CopyText(t.iniPath, sizeof t.iniPath, word);
    }
}

// Walks a line that holds a double quote: a quoted word runs to the next
// quote and may hold spaces; other words end at a space. Spaces between
// words are skipped, however many there are.
void WalkQuotedLine(const char* line, const Targets& t) {
    const size_t length = strlen(line);
    size_t position = 0;
    char word[kPathSize];
    while (position < length) {
        while (line[position] == ' ') {
            ++position;
        }
        if (line[position] == '\0') {
            break;
        }
        size_t start = position;
        size_t end;
        if (line[position] == '"') {
            start = position + 1;
            const char* close = FindCharMb(line + start, '"');
            end = close ? static_cast<size_t>(close - line) : length;
            position = end + 1; // past the closing quote
        } else {
            end = position;
            while (line[end] != '\0' && line[end] != ' ') {
                end += CharLengthMb(line + end);
            }
            position = end;
        }
        CopyTextN(word, sizeof word, line + start, end - start);
        ClassifyWord(word, t);
    }
}

} // namespace

void ParseCommandLine(const char* commandLine, char (&iniPath)[kPathSize],
                      char (&menuName)[kPathSize], char (&cadWindowText)[kNameSize]) {
    char line[kPathSize] = {};
    CopyText(line, sizeof line, commandLine ? commandLine : "");
    if (line[0] == '\0') {
        return;
    }
    const Targets targets{iniPath, menuName, cadWindowText};
    if (strchr(line, '"') != nullptr) {
        WalkQuotedLine(line, targets);
        return;
    }
    char* position = line;
    for (char* word = TokenizeMbAt(&position, " "); word != nullptr;
         word = TokenizeMbAt(&position, " ")) {
        ClassifyWord(word, targets);
    }
}
