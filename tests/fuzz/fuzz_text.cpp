// Arbitrary bytes through the text helpers: the line reader (with the data
// handed out in varying blocks), the tokenizer, trimming, the command line
// and EXAPDIR lines. No crash, no read or write out of bounds.
#include "menu/app/command_line.h"
#include "menu/app/external_program_line.h"
#include "menu/strutil/line_reader.h"
#include "menu/strutil/derived_path.h"
#include "menu/strutil/sjis_text.h"

#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the block size and the line buffer size.
    int chunk = data[0] % 64;
    int lineSize = 2 + data[0] % 300;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    MemoryText memory{text.data(), static_cast<int>(text.size()), 0, chunk};
    TextFile file;
    InitTextFile(&file, MemoryTextSource(&memory));
    std::string line(lineSize, '\0');
    size_t total = 0;
    while (ReadTextLine(&line[0], lineSize, &file) != nullptr) {
        size_t length = strlen(line.c_str());
        if (length >= static_cast<size_t>(lineSize)) {
            __builtin_trap();
        }
        total += length;
        std::string work = line.c_str();
        TrimBlanks(&work[0]);
        char* position = &work[0];
        while (TokenizeMbAt(&position, ", =\"") != nullptr) {
        }
        ExternalProgramFields fields;
        ParseExternalProgramLine(line.c_str(), &fields);
    }
    if (total > text.size()) {
        __builtin_trap(); // lines never hold more than the data
    }

    std::string commandLine = text.c_str();
    char iniPath[kPathSize] = "";
    char menuName[kPathSize] = "";
    char cadWindowText[kNameSize] = "";
    ParseCommandLine(commandLine.c_str(), iniPath, menuName, cadWindowText);
    char out[kPathSize];
    DerivePath(out, sizeof out, commandLine.c_str(), ".ini");
    return 0;
}
