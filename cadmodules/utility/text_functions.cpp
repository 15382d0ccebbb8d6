// %txtread and %mkcmdlst: a text file as a list of lines, a command file as
// a list of (NAME section value) entries.
#include "cadmodules/utility/utility_functions.h"

#include "cadmodules/frame/cad_interface.h"
#include "cadmodules/utility/command_file.h"
#include "cadmodules/utility/result_list.h"
#include "cadmodules/utility/string_args.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kTextPieceSize = 1023; // pieces of at most 1022 characters
constexpr size_t kMaxFileName = 259;

char* ReadFromFile(char* dst, int size, void* context) {
    return fgets(dst, size, static_cast<FILE*>(context));
}

// Opens the file named by the call's argument in text mode. Prints the
// argument error (void result) or sets nil when the file cannot be opened.
FILE* OpenArgumentFile() {
    const char* name = TakeFileNameArg();
    if (name == nullptr) {
        return nullptr;
    }
    FILE* file = strlen(name) <= kMaxFileName ? fopen(name, "r") : nullptr;
    if (file == nullptr) {
        acedRetNil();
    }
    return file;
}

int AddEntry(void* context, const char* name, const char* section, const char* value) {
    ResultList* list = static_cast<ResultList*>(context);
    return AppendListMark(list, RTLB) && AppendText(list, name) && AppendText(list, section) &&
           AppendText(list, value) && AppendListMark(list, RTLE);
}

void ReadLines(LinePieces* pieces, ResultList* list) {
    char piece[kTextPieceSize];
    while (ReadLinePiece(piece, sizeof piece, pieces) != nullptr && AppendText(list, piece)) {
    }
}

void ReadCommands(LinePieces* pieces, ResultList* list) {
    ReadCommandFile(pieces, AddEntry, list);
}

// Reads the file named by the call's argument into a list and sets it as
// the result.
int ReturnFileList(void (*read)(LinePieces* pieces, ResultList* list)) {
    FILE* file = OpenArgumentFile();
    if (file != nullptr) {
        LinePieces pieces = MakeLinePieces(ReadFromFile, file);
        ResultList list;
        read(&pieces, &list);
        fclose(file);
        ReturnList(&list);
    }
    return RTNORM;
}

} // namespace

int TextReadFunction() {
    return ReturnFileList(ReadLines);
}

int MakeCommandListFunction() {
    return ReturnFileList(ReadCommands);
}
