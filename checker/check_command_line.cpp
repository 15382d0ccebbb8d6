#include "checker/check_command_line.h"

#include "menu/strutil/sjis_text.h"

#include <cstring>

namespace {

// The text after "/NAME:" or "/name:" when word is that switch, else nullptr.
const char* SwitchValue(const std::string& word, const char* upper, const char* lower) {
    if (StartsWith(word.c_str(), upper) || StartsWith(word.c_str(), lower)) {
        return word.c_str() + strlen(upper);
    }
    return nullptr;
}

// Whether path ends in extension, ignoring the case of ASCII letters.
bool EndsWithIgnoringCase(const std::string& path, const char* extension) {
    size_t length = strlen(extension);
    return path.size() >= length &&
           EqualsIgnoringCase(path.c_str() + path.size() - length, length, extension);
}

} // namespace

int ParseCheckArguments(const std::vector<std::string>& words, CheckRequest* request,
                        std::string* problem) {
    *request = CheckRequest{};
    bool menuGiven = false;
    for (const std::string& word : words) {
        if (const char* name = SwitchValue(word, "/MENU:", "/menu:")) {
            if (*name == '\0') {
                *problem = "/MENU: の後にセクション名がありません。";
                return 0;
            }
            request->menuName = name;
            menuGiven = true;
        } else if (const char* path = SwitchValue(word, "/PREVIEW:", "/preview:")) {
            request->previewPath = path;
            if (EndsWithIgnoringCase(request->previewPath, ".bmp")) {
                request->previewFormat = PreviewFormat::kBmp;
            } else if (EndsWithIgnoringCase(request->previewPath, ".png")) {
                request->previewFormat = PreviewFormat::kPng;
            } else {
                *problem = "/PREVIEW: には .BMP か .PNG のファイル名を指定してください。";
                return 0;
            }
        } else if (word.empty() || word[0] == '/') {
            *problem = "「" + word + "」は使えないスイッチです。";
            return 0;
        } else if (!request->target.empty()) {
            *problem = "検査するファイルは一つだけ指定してください。";
            return 0;
        } else {
            request->target = word;
        }
    }
    if (request->target.empty()) {
        *problem = "検査するファイルを指定してください。";
        return 0;
    }
    request->isConfig = EndsWithIgnoringCase(request->target, ".ini");
    if (menuGiven && !request->isConfig) {
        *problem = "/MENU: は設定ファイル（.INI）を検査するときだけ指定できます。";
        return 0;
    }
    return 1;
}

const char* CheckUsageText() {
    return "使い方: VXMCHECK.EXE 設定ファイル.INI [/MENU:セクション名] [/PREVIEW:画像ファイル]\n"
           "        VXMCHECK.EXE メニューファイル [/PREVIEW:画像ファイル]\n"
           "  設定ファイルでは、メニューのセクション（既定は VXMENU）の登録行ごとに、\n"
           "  メニューファイルと付属ライブラリを検査します。\n"
           "  /PREVIEW: を付けると、すべてのメニューを一枚の画像（.BMP または .PNG）に描きます。\n"
           "  終了コード: 0 エラーなし（警告は可）、1 エラーあり、2 使い方の誤り\n";
}
