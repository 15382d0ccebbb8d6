#include "checker/finding_text.h"

#include "menu/strutil/sjis_text.h"

#include <cstdarg>
#include <cstring>

namespace {

struct KindText {
    MenuFindingKind kind;
    const char* code;
    const char* format; // filled from the finding in the order its kind names
};

// The texts, by kind. "%R" stands for the probe's reason (left out with its
// brackets when there is none), "%W" for a placement's words, "%J" for how
// far a line joined by loose line ends reaches; the others are printf
// conversions.
const KindText kTexts[] = {
    {MenuFindingKind::kConfigUnreadable, "MC-01", "設定ファイルを開けません。"},
    {MenuFindingKind::kSectionMissing, "MC-02", "メニューのセクション[%s]がありません。"},
    {MenuFindingKind::kNoRegistration, "MC-03", "セクション[%s]に登録行（VXMENU=…）がありません。"},
    {MenuFindingKind::kTooManyRegistrations, "MC-04",
     "%d 番目の登録行です。登録できるのは 10 行までです。"},
    {MenuFindingKind::kBlankRegistration, "MC-05", "登録行の「=」の後が空白だけです。"},
    {MenuFindingKind::kMenuFileMissing, "MC-06", "メニューファイル[%s]がありません。"},
    {MenuFindingKind::kLibraryNameInvalid, "MC-07",
     "メニューファイル名[%s]から付属ライブラリの名前を作れません。"},
    {MenuFindingKind::kLibraryNotLoaded, "MC-08", "付属ライブラリ[%s]を読み込めません%R。"},
    {MenuFindingKind::kMenuFileUnreadable, "MC-09",
     "メニューファイル[%s]を開けません（ほかのプログラムが書き込み中など）。"},
    {MenuFindingKind::kTitleLineMissing, "MC-10", "1 行目（タイトル行）に「[」がありません。"},
    {MenuFindingKind::kOutOfMemory, "MC-11", "メモリが足りません。"},
    {MenuFindingKind::kTopMenuEmpty, "MC-12",
     "トップメニューに項目がありません。フローティングメニューは起動時にメッセージを出さずに終了し"
     "ます。"},
    {MenuFindingKind::kSectionHeaderBlanks, "MC-21",
     "空白があるため、この行はセクション[%s]の見出しになりません。"},
    {MenuFindingKind::kKeyLooksLikeVxmenu, "MC-22",
     "キー「%s」は VXMENU ではないため、この行は登録行になりません"
     "（行頭から大文字で VXMENU と書き、すぐ後に「=」を書きます）。"},
    {MenuFindingKind::kBlankBeforeEquals, "MC-23",
     "VXMENU と「=」の間に空白があるため、値が「=」から始まります。"},
    {MenuFindingKind::kEmptyRegistration, "MC-24",
     "「=」の後に何もないため、この登録行は無視されます。"},
    {MenuFindingKind::kDisplayNameLost, "MC-25",
     "引用符で囲んだ部分の間に空白がないため、表示名が「%s」になります（書かれた表示名は「%"
     "s」）。"},
    {MenuFindingKind::kLineCut, "MC-26",
     "行が 1023 バイトを超えています。%d バイト目の後で切れ、残りは別の行として読まれます。"},
    {MenuFindingKind::kLeadByteAtEnd, "MC-27",
     "%d バイト目の 0x%02X は全角文字の 1 バイト目ですが、2 バイト目がないまま行が終わります。"},
    {MenuFindingKind::kLeadByteBadTrail, "MC-28",
     "%d バイト目の 0x%02X は全角文字の 1 バイト目のため、次のバイト 0x%02X と一組で読まれます。"},
    {MenuFindingKind::kEndsBeyondOpen, "MC-29",
     "「<-」が %d 個ありますが、開いているメニューは %d 段です。"
     "このファイルはこの行で読み終わり、後の項目 %d 行は読まれません。"},
    {MenuFindingKind::kPlacementUnclear, "MC-30", "配置「<%s>」は %s（%W）の意味になります。"},
    {MenuFindingKind::kTextAfterBitmap, "MC-31",
     "ビットマップの後ろの「%s」は無視されます（ヒントはビットマップより前に書きます）。"},
    {MenuFindingKind::kBitmapMissing, "MC-32",
     "ビットマップ[%s]を付属ライブラリから読み込めません%"
     "R。項目はビットマップなしで表示されます。"},
    {MenuFindingKind::kFunctionMissing, "MC-33",
     "関数[%s]は付属ライブラリからエクスポートされていません%R。項目を選んでも何も起きません。"},
    {MenuFindingKind::kFunctionNameEmpty, "MC-34",
     "「DLL:」の後に関数名がありません。項目を選んでも何も起きません。"},
    {MenuFindingKind::kDllPrefixCase, "MC-35",
     "「%s」は「DLL:」（大文字）ではないため、関数は呼ばれず、コマンドとして CAD に送られます。"},
    {MenuFindingKind::kCountPrefixInvalid, "MC-36",
     "「/」または「*」の後の「%s」は 1～9、a～z、A～Z のどれでもないため、1 として扱われます。"},
    {MenuFindingKind::kSubmenuPrefixIgnored, "MC-37",
     "同じ行に「<-」があるため「->」は無視され、次の行からの項目はサブメニューに入りません。"},
    {MenuFindingKind::kStaticOpensSubmenu, "MC-38",
     "「~」の項目は選べないため、サブメニュー[%s]は開けず、その項目は使われません。"},
    {MenuFindingKind::kSubmenuEmpty, "MC-39", "サブメニュー[%s]に項目がありません。"},
    {MenuFindingKind::kCommentIsItem, "MC-40",
     "「;」で始まる行に「[」があるため、注釈ではなく項目として読まれます。"},
    {MenuFindingKind::kCommandWithoutNewline, "MC-41",
     "コマンドが半角カナで終わるため改行が付かず、選んでも CAD で実行されません。"},
    {MenuFindingKind::kCommandTrailingBlank, "MC-42",
     "コマンドの最後に空白があります。空白も Enter として CAD に送られます。"},
    {MenuFindingKind::kLineEndsNotCrLf, "MC-43",
     "行末が CR LF ではなく %s だけのため、%J %d 行がフローティングメニューには 1 行に見えます。"},
    {MenuFindingKind::kInitCommandCut, "MC-44",
     "初期化コマンドに「\"」があるため、［初期値設定］で CAD に送られるのは「%s」だけです（「\"」"
     "から後は送られません）。"},
    {MenuFindingKind::kLabelEndHidden, "MC-45",
     "%d バイト目の「]」は前のバイト 0x%02X と一組の全角文字の 2 バイト目として読まれるため、"
     "表示文字はここで終わらず、次の「]」（なければ行末）までが「[」の中になります。"},
};

const KindText* TextOf(MenuFindingKind kind) {
    for (const KindText& text : kTexts) {
        if (text.kind == kind) {
            return &text;
        }
    }
    return nullptr;
}

// Appends text with its tabs shown as "<TAB>": a tab in a key is the finding.
void AppendVisible(std::string* out, const char* text) {
    while (*text != '\0') {
        const size_t length = CharLengthMb(text);
        if (*text == '\t') {
            *out += "<TAB>";
        } else {
            out->append(text, length);
        }
        text += length;
    }
}

// The "%R", "%W" and "%J" fillers, then the printf conversions in order:
// texts first, then numbers.
std::string Fill(const char* format, const MenuFinding& finding, const std::string& reason) {
    std::string out;
    const char* texts[] = {finding.text, finding.text2};
    const int numbers[] = {finding.number, finding.number2, finding.number3};
    size_t nextText = 0;
    size_t nextNumber = 0;
    for (const char* p = format; *p != '\0';) {
        if (p[0] != '%') {
            size_t length = CharLengthMb(p);
            out.append(p, length);
            p += length;
            continue;
        }
        char buffer[32];
        if (p[1] == 'R') {
            if (!reason.empty()) {
                out += "（" + reason + "）";
            }
            p += 2;
        } else if (p[1] == 'W') {
            out += PlacementWords(finding.text2 != nullptr ? finding.text2 : "");
            p += 2;
        } else if (p[1] == 'J') {
            out += finding.line <= 1 && finding.number2 != 0 ? "ファイル全体の" : "この行からの";
            p += 2;
        } else if (p[1] == 's') {
            const char* text = nextText < 2 ? texts[nextText++] : nullptr;
            AppendVisible(&out, text != nullptr ? text : "");
            p += 2;
        } else if (p[1] == 'd') {
            FormatText(buffer, sizeof buffer, "%d", nextNumber < 3 ? numbers[nextNumber++] : 0);
            out += buffer;
            p += 2;
        } else if (strncmp(p, "%02X", 4) == 0) {
            FormatText(buffer, sizeof buffer, "%02X",
                       static_cast<unsigned>(nextNumber < 3 ? numbers[nextNumber++] : 0) & 0xFF);
            out += buffer;
            p += 4;
        } else {
            out += *p++;
        }
    }
    return out;
}

} // namespace

std::string FindingText(const MenuFinding& finding, const std::string& reason) {
    const KindText* text = TextOf(finding.kind);
    if (text == nullptr) {
        return std::string(); // every kind has its text (tested)
    }
    return Fill(text->format, finding, reason) + "(" + text->code + ")";
}

std::string FindingLine(const std::string& file, int line, bool error, const std::string& text) {
    char number[16];
    FormatText(number, sizeof number, "%d", line < 1 ? 1 : line);
    return file + ":" + number + (error ? ": error: " : ": warning: ") + text;
}

std::string PlacementWords(const char* placement) {
    std::string words;
    switch (placement[0]) {
    case 'T':
        words = "上";
        break;
    case 'M':
        words = "中央";
        break;
    default:
        words = "下";
        break;
    }
    words += "・";
    switch (placement[0] != '\0' ? placement[1] : '\0') {
    case 'L':
        words += "左";
        break;
    case 'C':
        words += "中央";
        break;
    default:
        words += "右";
        break;
    }
    return words;
}

int ExitStatusOf(const CheckCounts& counts) {
    return counts.errors > 0 ? 1 : 0;
}
