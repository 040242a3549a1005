// The toolbar table.
#include "frame/frame_toolbar.h"

#include "find/text_find.h"
#include "frame/frame_commands.h"
#include "record/command_table.h"
#include "view/text_window.h"

namespace nelvix {
namespace {

constexpr ToolbarItem Button(int id, std::string_view tip = {}) {
    return {ToolbarItemKind::Button, id, tip};
}
constexpr ToolbarItem kSeparator{ToolbarItemKind::Separator, 0, {}};

constexpr ToolbarItem kToolbar[] = {
    Button(kCmdFileOpen, "保存されているﾌｧｲﾙを開く\n開く"),
    kSeparator,
    Button(kCmdCopy, "選択した範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\nｺﾋﾟｰ"),
    kSeparator,
    {ToolbarItemKind::FindBox, kFindBoxId, "検索文字列を入力\n検索文字列"},
    kSeparator,
    Button(static_cast<int>(FindBoxCommand::FindNextButton), "次を検索\n次を検索"),
    Button(kCmdGlobalFind, "指定した文字列を指定のﾌｧｲﾙから検索\nｸﾞﾛｰﾊﾞﾙ検索"),
    kSeparator,
    Button(kCmdLineExtraction, "現在の文書から指定行を抽出\n行の抽出"),
    Button(kCmdGlobalExtraction, "ﾌｧｲﾙから指定のﾃｷｽﾄﾌﾞﾛｯｸを抽出\nｸﾞﾛｰﾊﾞﾙ抽出"),
    kSeparator,
    Button(kCmdHtmlSearch, "HTML検索\nHTML検索"),
    kSeparator,
    Button(kCmdPreviousTag, "前のﾀｸﾞ位置へｼﾞｬﾝﾌﾟ\n前のﾀｸﾞへ"),
    Button(kCmdNextTag, "次のﾀｸﾞ位置へｼﾞｬﾝﾌﾟ\n次のﾀｸﾞへ"),
    Button(kCmdTagWindow, "現在のタグウィンドの表示\nﾀｸﾞｳｨﾝﾄﾞｳへ"),
    kSeparator,
    Button(kCmdUserTool1),
    Button(kCmdUserTool1 + 1),
    Button(kCmdUserTool1 + 2),
    Button(kCmdUserTool1 + 3),
    Button(kCmdUserTool1 + 4),
    kSeparator,
    Button(kCmdContextHelp, "ﾍﾙﾌﾟの表示\nﾍﾙﾌﾟの表示"),
};

} // namespace

std::span<const ToolbarItem> FrameToolbar() {
    return kToolbar;
}

TipParts SplitTip(std::string_view tip) {
    const std::size_t newline = tip.find('\n');
    if (newline == std::string_view::npos)
        return {tip, tip};
    return {tip.substr(0, newline), tip.substr(newline + 1)};
}

std::string_view ToolbarTipOf(int commandId) {
    for (const ToolbarItem& item : kToolbar)
        if (item.kind != ToolbarItemKind::Separator && item.commandId == commandId)
            return item.tip;
    return {};
}

} // namespace nelvix
