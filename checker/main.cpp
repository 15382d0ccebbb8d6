// Entry of the menu checker VXMCHECK.EXE: checks a configuration file's menu
// packages, or one menu file, with the floating menu's own loader, and
// paints the preview sheet on request.
#include "checker/check_command_line.h"
#include "checker/finding_text.h"
#include "checker/menu_check.h"
#include "checker/preview_sheet.h"
#include "menu/model/menu_loader.h"
#include "menu/model/menu_model.h"
#include "menu/strutil/char_classes.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

// Writes Shift-JIS text: to a console as its characters, whatever the
// console's code page; to a file or pipe as the bytes themselves.
void Write(DWORD which, const std::string& text) {
    HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    DWORD written = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return;
    }
    if (GetConsoleMode(handle, &mode)) {
        int length =
            MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::vector<WCHAR> wide(length > 0 ? length : 1);
        MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            length);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(length), &written, nullptr);
        return;
    }
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void PrintLine(void*, const std::string& text) {
    Write(STD_OUTPUT_HANDLE, text + "\r\n");
}

std::string Number(int value) {
    char buffer[16];
    wsprintfA(buffer, "%d", value);
    return buffer;
}

// "VXMCHECK: エラー 0 件、警告 1 件（パッケージ 3、メニュー 7、項目 38）"
std::string Summary(const CheckCounts& counts, bool loaded) {
    std::string text = "VXMCHECK: エラー " + Number(counts.errors) + " 件、警告 " +
                       Number(counts.warnings) + " 件";
    if (loaded) {
        int items = 0;
        for (int i = 0; i < MenuCount(); ++i) {
            items += MenuAt(i)->itemCount;
        }
        text += "（パッケージ " + Number(PackageCount()) + "、メニュー " + Number(MenuCount()) +
                "、項目 " + Number(items) + "）";
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    InitCharClasses();
    std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
    CheckRequest request;
    std::string problem;
    if (!ParseCheckArguments(words, &request, &problem)) {
        Write(STD_ERROR_HANDLE, "VXMCHECK: " + problem + "\r\n" + CheckUsageText());
        return kUsageExitStatus;
    }

    CheckOutcome outcome = RunMenuCheck(request, CheckOutput{nullptr, PrintLine});
    if (request.previewFormat != PreviewFormat::kNone) {
        if (!outcome.loaded || outcome.counts.errors > 0) { // the floating menu shows nothing
            PrintLine(nullptr, "VXMCHECK: エラーがあるため、プレビューは作りません。(MC-51)");
        } else if (WritePreviewSheet(request.previewPath, request.previewFormat, &problem)) {
            PrintLine(nullptr, "VXMCHECK: プレビューを " + request.previewPath + " に書きました。");
        } else {
            outcome.counts.errors += 1;
            PrintLine(nullptr, request.previewPath + ":1: error: プレビューを作れません（" +
                                   problem + "）。(MC-52)");
        }
    }
    PrintLine(nullptr, Summary(outcome.counts, outcome.loaded));
    if (outcome.loaded) {
        FreeMenus();
    }
    return ExitStatusOf(outcome.counts);
}
