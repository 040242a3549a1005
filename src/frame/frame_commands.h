// Command ids of the main frame that no engine owns: files, windows, bars, help, tags, mark
// windows and the find box, plus the ids of the frame's own controls. The engines' commands keep
// their ids in their own headers (command_table.h, text_window.h, text_find.h, ...).
#pragma once

#include "store/settings.h"

namespace nelvix {

inline constexpr int kCmdFileOpen = 57601;      ///< "開く"
inline constexpr int kCmdFileClose = 57602;     ///< "閉じる"
inline constexpr int kCmdFileSaveAs = 57604;    ///< "名前を付けて保存"
inline constexpr int kCmdCloseAll = 32840;      ///< "すべて閉じる"
inline constexpr int kCmdCloseUntitled = 32839; ///< "すべての無題を閉じる"
/// Recent file k (0-based) is kCmdRecentFile1 + k.
inline constexpr int kCmdRecentFile1 = 57616;
inline constexpr int kCmdRecentFileLast = kCmdRecentFile1 + kRecentFileCount - 1;
inline constexpr int kCmdAppExit = 57665;  ///< "終了"
inline constexpr int kCmdAppAbout = 57664; ///< "バージョン情報"

inline constexpr int kCmdHtmlSearch = 32836;
inline constexpr int kCmdEditor = 32820;  ///< "ｴﾃﾞｨﾀ"
inline constexpr int kCmdBrowser = 32834; ///< "ﾌﾞﾗｳｻﾞ"
inline constexpr int kCmdCurrentTag = 32785;
inline constexpr int kCmdNextTag = 32786;
inline constexpr int kCmdPreviousTag = 32787;
inline constexpr int kCmdTagWindow = 32815;
/// Puts the keyboard focus into the toolbar's find box (Ctrl+F).
inline constexpr int kCmdGoToFindBox = 32790;

inline constexpr int kCmdToolBar = 59392;   ///< shows or hides the toolbar
inline constexpr int kCmdStatusBar = 59393; ///< shows or hides the status bar
inline constexpr int kCmdSettings = 32819;  ///< "設定"
inline constexpr int kCmdFont = 32818;      ///< "フォント"

inline constexpr int kCmdNewWindow = 57648;
inline constexpr int kCmdArrangeIcons = 57649;
inline constexpr int kCmdCascade = 57650;
inline constexpr int kCmdTile = 57651;
inline constexpr int kCmdToggleMarkWindow = 32793;
inline constexpr int kCmdNextMarkWindow = 32794;
inline constexpr int kCmdPreviousMarkWindow = 32795;
inline constexpr int kCmdClearMarkWindows = 32796;

inline constexpr int kCmdHelpContents = 57666; ///< "目次"
inline constexpr int kCmdHelpUsing = 57668;    ///< "ヘルプの使い方"
inline constexpr int kCmdContextHelp = 57669;  ///< Shift+F1, the toolbar's help button
inline constexpr int kCmdHelp = 57670;         ///< F1

inline constexpr int kFindBoxId = 194;
inline constexpr int kStatusBarId = 59393;
inline constexpr int kWindowBarId = 32837;

} // namespace nelvix
