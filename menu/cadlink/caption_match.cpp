#include "menu/cadlink/caption_match.h"

#include "menu/strutil/sjis_text.h"

#include <cstring>

const char* const kCaptionExclusionList[kCaptionExclusionCount] = {
    "Today",
    "ﾃｷｽﾄ ｳｨﾝﾄﾞｳ",
    "ﾒｯｾｰｼﾞ",
    "ｺﾏﾝﾄﾞ ﾗｲﾝ",
    "ヘルプ",
    "ヘルプ システム",
    "テキスト ウィンドウ",
    "メッセージ",
    "コマンド ライン",
    "オーソライゼーション",
    "Text Window",
    "Message",
    "Command Line",
    "Help",
    "Help System",
    "AutoCAD ﾃｷｽﾄ ｳｨﾝﾄﾞｳ",
    "AutoCAD ﾒｯｾｰｼﾞ",
    "AutoCAD - ｺﾏﾝﾄﾞ ﾗｲﾝ",
    "AutoCAD ヘルプ",
    "AutoCAD Text Window",
    "AutoCAD Message",
    "AutoCAD - Command Line",
    "AutoCAD Help",
    "AutoCAD Today",
    "AutoCAD 2002 Today",
    "AutoCAD LT ﾃｷｽﾄ ｳｨﾝﾄﾞｳ",
    "AutoCAD LT ﾒｯｾｰｼﾞ",
    "AutoCAD LT - ｺﾏﾝﾄﾞ ﾗｲﾝ",
    "AutoCAD LT 2000 ヘルプ システム",
    "AutoCAD LT 2000i ヘルプ システム",
    "AutoCAD LT Text Window",
    "AutoCAD LT Message",
    "AutoCAD LT - Command Line",
    "AutoCAD LT 2000 Help System",
    "AutoCAD LT 2000i Help System",
    "AutoCAD LT Today",
    "AutoCAD LT 2002 Today",
};

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether pattern stands at text, ASCII letters compared without case;
// double-byte characters compare exactly, both bytes.
bool MatchesAt(const char* text, const char* pattern) {
    while (*pattern != '\0') {
        size_t length = CharLengthMb(pattern);
        if (length == 2) {
            if (text[0] != pattern[0] || text[1] != pattern[1]) {
                return false;
            }
        } else if (IsLeadByte932(static_cast<unsigned char>(*text)) ||
                   FoldAscii(*text) != FoldAscii(*pattern)) {
            return false;
        }
        text += length;
        pattern += length;
    }
    return true;
}

// Whether pattern occurs in text starting at a character boundary.
bool ContainsMb(const char* text, const char* pattern) {
    for (const char* p = text; *p != '\0'; p += CharLengthMb(p)) {
        if (MatchesAt(p, pattern)) {
            return true;
        }
    }
    return false;
}

} // namespace

bool IsExcludedCaption(const char* caption) {
    for (const char* excluded : kCaptionExclusionList) {
        if (ContainsMb(caption, excluded)) {
            return true;
        }
    }
    return false;
}

bool IsCadCaption(const char* caption, const char* prefix1, const char* prefix2) {
    bool prefixed = (prefix1[0] != '\0' && StartsWith(caption, prefix1)) ||
                    (prefix2[0] != '\0' && StartsWith(caption, prefix2));
    return prefixed && !IsExcludedCaption(caption);
}
