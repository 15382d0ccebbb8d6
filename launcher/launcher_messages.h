// Texts the launcher shows; the caption of its own boxes is "VXCAD".
#pragma once

constexpr const char* kLauncherCaption = "VXCAD";

// Driver.
constexpr const char* kNoProgramPath = "プログラムのパスが取得できません。";       // (M-1)
constexpr const char* kCannotOpenFile = "%sファイルがオープンできません。";        // (M-2)
constexpr const char* kNoAcadDefinition = "AutoCADの定義が見つかりません。\n\n%s"; // (M-3)
constexpr const char* kAssistanceNotOff = "ｱｸﾃｨﾌﾞｱｼｽﾀﾝﾄのStartupをOFFに設定できませんでした。\n"
                                          "初期設定のままで起動します。"; // (M-4)
// A command line longer than the floating menu reads back: the key, its
// limit in characters and the setup file. (M-5)
constexpr const char* kCommandTooLong =
    "AutoCADの起動コマンドが長すぎます。\n%sは%u文字までです。\n\n%s";
// A profile name holding '\': the name and the setup file. (M-6)
constexpr const char* kBadProfileName = "ﾌﾟﾛﾌｧｲﾙ名 %s に \\ は使えません。\n\n%s";

// Splash window.
constexpr const char* kNoTimer = "タイマーを使用できません。";
constexpr const char* kMenuStartFailed = "VXMENU実行に失敗";
constexpr const char* kCadStartFailed = "CADプログラム[%s]が起動できません。";

// CAD registry discovery and profile setup: caption, hints and texts put
// together around the CAD series label.
constexpr const char* kSetupNotDoneCaption = "の初期設定が済んでいません";
constexpr const char* kHintAcadOnly = "内の AutoCAD 単体を起動すると\n自動的に初期設定が行われます";
constexpr const char* kHintAlone = "を単体で起動すると\n自動的に初期設定が行われます";
constexpr const char* kNotInstalled = "が正常にインストールされていません"; // (MB-1)
// (MB-2) is the hint alone.
constexpr const char* kBaseProfileMissing = "参照先ﾌﾟﾛﾌｧｲﾙ %s が見つかりません\n\n%s"; // (MB-3)
// The package's profile could not be made or filled from the base profile. (MB-4)
constexpr const char* kProfileNotMade = "ﾌﾟﾛﾌｧｲﾙ %s を作成できませんでした";
