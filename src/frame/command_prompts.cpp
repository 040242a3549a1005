// The prompts of the commands that have no toolbar button.
#include "frame/command_prompts.h"

#include "find/double_click.h"
#include "find/find_dialog_model.h"
#include "find/line_jump.h"
#include "frame/frame_commands.h"
#include "frame/frame_toolbar.h"
#include "record/command_table.h"
#include "record/operation_recorder.h"
#include "view/document_view.h"
#include "view/text_window.h"

namespace nelvix {
namespace {

struct Prompt {
    int commandId;
    std::string_view text;
};

constexpr Prompt kPrompts[] = {
    {kCmdFileClose, "作業中のｳｨﾝﾄﾞｳを閉じる"},
    {kCmdFileSaveAs, "作業中のﾌｧｲﾙを新しい名前で保存"},
    {kCmdCloseAll, "開いているすべての文書を閉じる"},
    {kCmdCloseUntitled, "ﾌｧｲﾙ名のない文書 (検索結果など) をすべて閉じる"},
    {kCmdAppExit, "ｱﾌﾟﾘｹｰｼｮﾝを終了"},
    {kCmdAppendCopy, "選択した範囲をｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容に追加"},
    {kFindCommand, "作業中の文書から文字列を検索"},
    {kCmdSelectAll, "文書全体を選択"},
    {kLineJumpCommand, "指定した行番号の行へｼﾞｬﾝﾌﾟ"},
    {kCmdToggleMark, "ｶｰｿﾙのある行のﾏｰｸを設定または解除"},
    {kCmdNextMark, "次のﾏｰｸ行へｼﾞｬﾝﾌﾟ"},
    {kCmdPreviousMark, "前のﾏｰｸ行へｼﾞｬﾝﾌﾟ"},
    {kCmdClearAllMarks, "すべてのﾏｰｸ行を解除"},
    {kCmdCurrentTag, "ｶｰｿﾙのある行のﾀｸﾞ位置へｼﾞｬﾝﾌﾟ"},
    {kCommandColumnRuler, "桁ﾙｰﾗｰを表示または非表示"},
    {kCommandLineRuler, "行ﾙｰﾗｰを表示または非表示"},
    {kCmdToolBar, "ﾂｰﾙﾊﾞｰを表示または非表示"},
    {kCmdStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰを表示または非表示"},
    {kEditorCommand, "作業中のﾌｧｲﾙをｴﾃﾞｨﾀで開く"},
    {kBrowserCommand, "作業中のﾌｧｲﾙをﾌﾞﾗｳｻﾞで開く"},
    {kCmdUserTool1, "ﾕｰｻﾞﾂｰﾙ1に登録した操作を実行"},
    {kCmdUserTool1 + 1, "ﾕｰｻﾞﾂｰﾙ2に登録した操作を実行"},
    {kCmdUserTool1 + 2, "ﾕｰｻﾞﾂｰﾙ3に登録した操作を実行"},
    {kCmdUserTool1 + 3, "ﾕｰｻﾞﾂｰﾙ4に登録した操作を実行"},
    {kCmdUserTool1 + 4, "ﾕｰｻﾞﾂｰﾙ5に登録した操作を実行"},
    {kCmdSettings, "表示や検索の設定を変更"},
    {kCmdFont, "文書を表示するﾌｫﾝﾄを変更"},
    {kCmdReplay, "記録した操作を再生"},
    {kCmdSaveOperation, "記録した操作をﾌｧｲﾙに保存"},
    {kCmdRecallOperation, "保存した操作を呼び出して再生"},
    {kCmdNewWindow, "作業中の文書をもう一つのｳｨﾝﾄﾞｳで開く"},
    {kCmdCascade, "ｳｨﾝﾄﾞｳを重ねて表示"},
    {kCmdTile, "ｳｨﾝﾄﾞｳを並べて表示"},
    {kCmdArrangeIcons, "ｱｲｺﾝになったｳｨﾝﾄﾞｳを下端に整列"},
    {kCmdToggleMarkWindow, "作業中のｳｨﾝﾄﾞｳのﾏｰｸを設定または解除"},
    {kCmdNextMarkWindow, "次のﾏｰｸｳｨﾝﾄﾞｳへ移動"},
    {kCmdPreviousMarkWindow, "前のﾏｰｸｳｨﾝﾄﾞｳへ移動"},
    {kCmdClearMarkWindows, "すべてのﾏｰｸｳｨﾝﾄﾞｳを解除"},
    {kCmdHelpContents, "ﾍﾙﾌﾟの目次を表示"},
    {kCmdHelpUsing, "ﾍﾙﾌﾟの使い方を表示"},
    {kCmdAppAbout, "ﾌﾟﾛｸﾞﾗﾑ名とﾊﾞｰｼﾞｮﾝを表示"},
};

} // namespace

std::string_view CommandPrompt(int commandId) {
    if (const std::string_view tip = ToolbarTipOf(commandId); !tip.empty())
        return SplitTip(tip).statusText;
    for (const Prompt& prompt : kPrompts)
        if (prompt.commandId == commandId)
            return prompt.text;
    return {};
}

} // namespace nelvix
