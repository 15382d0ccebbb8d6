// Messages of the floating menu's start-up, shown under kMenuCaption.
#pragma once

inline constexpr const char kMenuCaption[] = "フローティングメニュー";

inline constexpr const char kMsgBadProgramName[] = "プログラムファイル名[%s]が不正です。(I-01)";
inline constexpr const char kMsgNoProgramName[] = "プログラムファイル名が取得できません。(I-02)";
inline constexpr const char kMsgNoConfigFile[] = "初期設定ファイル[%s]がありません。(I-03)";
inline constexpr const char kMsgNoCadTarget[] =
    "実行するCADプログラムの指定が間違っています。(I-03-02)"
    "\n初期設定ファイルを確認してください。\n\n%s";
inline constexpr const char kMsgDdeInitFailed[] = "ＤＤＥライブラリの初期化に失敗しました。(I-04)";
inline constexpr const char kMsgNoCadHandle[] = "CADプログラムのハンドルが取得できません。(I-05)";
inline constexpr const char kMsgCadStartFailed[] = "CADプログラム[%s]が起動できません。(I-06)";
inline constexpr const char kMsgCadNotIdle[] = "CADプログラム[%s]が起動できません(%d)。(I-07)";
inline constexpr const char kMsgCadDdeFailed[] = "CADプログラム[%s]とＤＤＥ接続できません。(I-08)";
inline constexpr const char kMsgNoCadProgram[] = "CADプログラム[%s]が起動できません。(I-09)";
inline constexpr const char kMsgBadExternal[] = "外部プログラムの定義に誤りがあります。(I-10)";
inline constexpr const char kMsgExternalStartFailed[] =
    "外部プログラム[%s]が起動できません。(I-11)";
inline constexpr const char kMsgExternalNotIdle[] = "外部プログラム[%s]が起動できません。(I-12)";
inline constexpr const char kMsgExternalDdeFailed[] =
    "外部プログラム[%s]とＤＤＥ接続できません。(I-13)";
inline constexpr const char kMsgMenuLoadFailed[] = "メニューをロード出来ません。(I-15)";
