// The menu tables and the key table of the main frame.
#include "frame/frame_menus.h"

#include "find/double_click.h"
#include "find/find_dialog_model.h"
#include "find/line_jump.h"
#include "find/text_find.h"
#include "frame/frame_commands.h"
#include "record/command_table.h"
#include "record/operation_recorder.h"
#include "view/document_view.h"
#include "view/text_window.h"

namespace nelvix {
namespace {

constexpr MenuItem Command(int id, std::string_view label, std::string_view keyText = {}) {
    return {MenuItemKind::Command, id, label, keyText, false, {}};
}
constexpr MenuItem Check(int id, std::string_view label) {
    return {MenuItemKind::Command, id, label, {}, true, {}};
}
constexpr MenuItem Submenu(std::string_view label, std::span<const MenuItem> items) {
    return {MenuItemKind::Submenu, 0, label, {}, false, items};
}
constexpr MenuItem kSeparator{MenuItemKind::Separator, 0, {}, {}, false, {}};
constexpr MenuItem kRecentFiles{MenuItemKind::RecentFiles, 0, "以前開いたファイル", {}, false, {}};
constexpr MenuItem kWindowList{MenuItemKind::WindowList, 0, {}, {}, false, {}};

constexpr int kCmdFindNextByBox = static_cast<int>(FindBoxCommand::FindNext);
constexpr int kCmdFindPreviousByBox = static_cast<int>(FindBoxCommand::FindPrevious);

// Menu 2: no document open.
constexpr MenuItem kFile2[] = {
    Command(kCmdFileOpen, "開く", "Ctrl+O"),
    kSeparator,
    kRecentFiles,
    kSeparator,
    Command(kCmdAppExit, "終了"),
};
constexpr MenuItem kEdit2[] = {
    Command(kCmdGlobalFind, "グローバル検索", "Ctrl+G"),
    Command(kCmdGlobalExtraction, "グローバル抽出", "Ctrl+E"),
    Command(kCmdHtmlSearch, "ＨＴＭＬ検索", "Ctrl+L"),
};
constexpr MenuItem kView2[] = {
    Check(kCmdToolBar, "ツールバー"),
    Check(kCmdStatusBar, "ステータス バー"),
};
// Shared by both menus.
constexpr MenuItem kTools[] = {
    Command(kEditorCommand, "ｴﾃﾞｨﾀ"),
    Command(kBrowserCommand, "ﾌﾞﾗｳｻﾞ"),
    kSeparator,
    Command(kCmdUserTool1, "ﾕｰｻﾞﾂｰﾙ1", "Ctrl+1"),
    Command(kCmdUserTool1 + 1, "ﾕｰｻﾞﾂｰﾙ2", "Ctrl+2"),
    Command(kCmdUserTool1 + 2, "ﾕｰｻﾞﾂｰﾙ3", "Ctrl+3"),
    Command(kCmdUserTool1 + 3, "ﾕｰｻﾞﾂｰﾙ4", "Ctrl+4"),
    Command(kCmdUserTool1 + 4, "ﾕｰｻﾞﾂｰﾙ5", "Ctrl+5"),
};
constexpr MenuItem kOptions2[] = {
    Command(kCmdSettings, "設定"),
    Command(kCmdFont, "フォント"),
};
constexpr MenuItem kHelp[] = {
    Command(kCmdHelpContents, "目次"),
    Command(kCmdHelpUsing, "ヘルプの使い方"),
    kSeparator,
    Command(kCmdAppAbout, "バージョン情報"),
};

constexpr MenuPopup kMenu2[] = {
    {"ﾌｧｲﾙ", kFile2}, {"編集", kEdit2},      {"表示", kView2},
    {"ﾂｰﾙ", kTools},  {"ｵﾌﾟｼｮﾝ", kOptions2}, {"ﾍﾙﾌﾟ", kHelp},
};

// Menu 3: documents open.
constexpr MenuItem kFile3[] = {
    Command(kCmdFileOpen, "開く", "Ctrl+O"),
    Command(kCmdFileClose, "閉じる"),
    Command(kCmdFileSaveAs, "名前を付けて保存"),
    kSeparator,
    Command(kCmdCloseAll, "すべて閉じる"),
    Command(kCmdCloseUntitled, "すべての無題を閉じる"),
    kSeparator,
    kRecentFiles,
    kSeparator,
    Command(kCmdAppExit, "終了"),
};
constexpr MenuItem kEdit3[] = {
    Command(kCmdCopy, "コピー", "Ctrl+C"),
    Command(kCmdAppendCopy, "追加コピー", "Ctrl+Shift+C"),
    kSeparator,
    Command(kFindCommand, "文字列の検索"),
    Command(kCmdGlobalFind, "グローバル検索", "Ctrl+G"),
    kSeparator,
    Command(kCmdLineExtraction, "行の抽出"),
    Command(kCmdGlobalExtraction, "グローバル抽出", "Ctrl+E"),
    kSeparator,
    Command(kCmdHtmlSearch, "ＨＴＭＬ検索", "Ctrl+L"),
    kSeparator,
    Command(kCmdSelectAll, "すべてを選択"),
};
constexpr MenuItem kBars[] = {
    Check(kCommandColumnRuler, "桁ルーラー"), Check(kCommandLineRuler, "行ルーラー"),  kSeparator,
    Check(kCmdToolBar, "ツールバー"),         Check(kCmdStatusBar, "ステータス バー"),
};
constexpr MenuItem kView3[] = {
    Command(kLineJumpCommand, "行番号の指定"),
    kSeparator,
    Command(kCmdToggleMark, "マーク行の設定／解除", "Ctrl+F2"),
    Command(kCmdNextMark, "次のマーク行", "F2"),
    Command(kCmdPreviousMark, "前のマーク行", "Shift+F2"),
    Command(kCmdClearAllMarks, "すべてのマーク行を解除"),
    kSeparator,
    Command(kCmdCurrentTag, "現在のタグ", "Ctrl+F5"),
    Command(kCmdNextTag, "次のタグ", "F5"),
    Command(kCmdPreviousTag, "前のタグ", "Shift+F5"),
    Command(kCmdTagWindow, "タグウィンドウ", "Ctrl+Shift+F5"),
    kSeparator,
    Submenu("ルーラー／バー", kBars),
};
constexpr MenuItem kOptions3[] = {
    Command(kCmdSettings, "設定"),
    Command(kCmdFont, "フォント"),
    kSeparator,
    Command(kCmdReplay, "操作の再生"),
    Command(kCmdSaveOperation, "操作の保存"),
    Command(kCmdRecallOperation, "操作の呼出し"),
};
constexpr MenuItem kWindow3[] = {
    Command(kCmdNewWindow, "新しいウィンドウを開く"),
    Command(kCmdCascade, "重ねて表示"),
    Command(kCmdTile, "並べて表示"),
    Command(kCmdArrangeIcons, "アイコンの整列"),
    kSeparator,
    Command(kCmdToggleMarkWindow, "ﾏｰｸｳｨﾝﾄﾞｳの設定/解除", "Ctrl+F6"),
    Command(kCmdNextMarkWindow, "次のﾏｰｸｳｨﾝﾄﾞｳ", "F6"),
    Command(kCmdPreviousMarkWindow, "前のﾏｰｸｳｨﾝﾄﾞｳ", "Shift+F6"),
    Command(kCmdClearMarkWindows, "すべてのﾏｰｸｳｨﾝﾄﾞｳを解除"),
    kWindowList,
};

constexpr MenuPopup kMenu3[] = {
    {"ﾌｧｲﾙ", kFile3},      {"編集", kEdit3},     {"表示", kView3}, {"ﾂｰﾙ", kTools},
    {"ｵﾌﾟｼｮﾝ", kOptions3}, {"ｳｨﾝﾄﾞｳ", kWindow3}, {"ﾍﾙﾌﾟ", kHelp},
};

constexpr KeyModifiers kNone{};
constexpr KeyModifiers kCtrl{true, false};
constexpr KeyModifiers kShift{false, true};
constexpr KeyModifiers kCtrlShift{true, true};

constexpr KeyBinding kKeys[] = {
    {FrameKey::Digit1, kCtrl, kCmdUserTool1},
    {FrameKey::Digit2, kCtrl, kCmdUserTool1 + 1},
    {FrameKey::Digit3, kCtrl, kCmdUserTool1 + 2},
    {FrameKey::Digit4, kCtrl, kCmdUserTool1 + 3},
    {FrameKey::Digit5, kCtrl, kCmdUserTool1 + 4},
    {FrameKey::C, kCtrl, kCmdCopy},
    {FrameKey::Insert, kCtrl, kCmdCopy},
    {FrameKey::C, kCtrlShift, kCmdAppendCopy},
    {FrameKey::E, kCtrl, kCmdGlobalExtraction},
    {FrameKey::F, kCtrl, kCmdGoToFindBox},
    {FrameKey::G, kCtrl, kCmdGlobalFind},
    {FrameKey::L, kCtrl, kCmdHtmlSearch},
    {FrameKey::N, kCtrl, kCmdFindNextByBox},
    {FrameKey::O, kCtrl, kCmdFileOpen},
    {FrameKey::P, kCtrl, kCmdFindPreviousByBox},
    {FrameKey::F1, kNone, kCmdHelp},
    {FrameKey::F1, kShift, kCmdContextHelp},
    {FrameKey::F2, kNone, kCmdNextMark},
    {FrameKey::F2, kCtrl, kCmdToggleMark},
    {FrameKey::F2, kShift, kCmdPreviousMark},
    {FrameKey::F5, kNone, kCmdNextTag},
    {FrameKey::F5, kCtrl, kCmdCurrentTag},
    {FrameKey::F5, kShift, kCmdPreviousTag},
    {FrameKey::F5, kCtrlShift, kCmdTagWindow},
    {FrameKey::F6, kNone, kCmdNextMarkWindow},
    {FrameKey::F6, kCtrl, kCmdToggleMarkWindow},
    {FrameKey::F6, kShift, kCmdPreviousMarkWindow},
};

constexpr std::string_view kKeyNames[] = {"1", "2", "3", "4", "5",      "C",  "E",  "F",  "G",
                                          "L", "N", "O", "P", "Insert", "F1", "F2", "F5", "F6"};
static_assert(std::size(kKeyNames) == static_cast<std::size_t>(FrameKey::F6) + 1);

} // namespace

std::span<const MenuPopup> FrameMenuPopups(FrameMenu menu) {
    if (menu == FrameMenu::NoDocument)
        return kMenu2;
    return kMenu3;
}

std::span<const KeyBinding> FrameKeyTable() {
    return kKeys;
}

std::optional<int> CommandOfKey(FrameKey key, KeyModifiers modifiers) {
    for (const KeyBinding& binding : kKeys)
        if (binding.key == key && binding.modifiers.ctrl == modifiers.ctrl &&
            binding.modifiers.shift == modifiers.shift)
            return binding.commandId;
    return std::nullopt;
}

std::string KeyText(const KeyBinding& binding) {
    std::string text;
    if (binding.modifiers.ctrl)
        text += "Ctrl+";
    if (binding.modifiers.shift)
        text += "Shift+";
    text += kKeyNames[static_cast<std::size_t>(binding.key)];
    return text;
}

} // namespace nelvix
