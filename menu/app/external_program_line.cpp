#include "menu/app/external_program_line.h"

#include "menu/strutil/line_reader.h"
#include "menu/strutil/sjis_text.h"

#include <cstring>

ExternalLine ParseExternalProgramLine(const char* line, ExternalProgramFields* fields) {
    ZeroFill(fields, sizeof *fields);
    if (!StartsWith(line, "EXAPDIR")) {
        return ExternalLine::NotExternal;
    }
    // The value keeps the line's line feed: it ends the exit command, which
    // external programs may rely on. Only the other fields lose it.
    char value[kMaxUtilText + 4];
    const char* equals = FindCharMb(line, '=');
    CopyText(value, sizeof value, equals ? equals + 1 : "");
    TrimBlanks(value); // blanks before the line feed go with the leading ones
    if (value[0] == '\0' || strcmp(value, "\n") == 0) {
        return ExternalLine::Empty;
    }
    struct Field {
        char* text;
        size_t size;
    } const order[] = {
        {fields->path, sizeof fields->path},
        {fields->service, sizeof fields->service},
        {fields->topic, sizeof fields->topic},
        {fields->key, sizeof fields->key},
        {fields->exitCommand, sizeof fields->exitCommand},
    };
    char* position = value;
    for (const Field& field : order) {
        char* token = TokenizeMbAt(&position, ",");
        if (token == nullptr) {
            break;
        }
        TrimBlanks(token);
        CopyText(field.text, field.size, token);
        if (field.text != fields->exitCommand) {
            StripLineFeed(field.text);
            TrimBlanks(field.text);
        }
    }
    if (!fields->path[0] || !fields->service[0] || !fields->topic[0] || !fields->key[0]) {
        return ExternalLine::Incomplete;
    }
    return ExternalLine::Defined;
}
