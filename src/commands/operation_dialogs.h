// The dialogs of the recorded operation as its commands see them: "操作の保存" (save it to a
// macro file with a comment and a user-tool slot) and "操作の呼出し" (load or replay a macro file,
// delete macro files), and the wait cursor of a replay.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "base/limits.h"
#include "record/command_table.h"

namespace nelvix {

class RecallOperationList;

/// The choices of "使用するﾕｰｻﾞﾂｰﾙ": nothing selected (as the dialog opens), "使用しない", or a
/// slot 1..kUserToolSlots.
inline constexpr int kNoUserToolChosen = -1;
inline constexpr int kUserToolNotUsed = 0;

/// The fields of "操作の保存".
struct SaveOperationValues {
    std::string name;                 ///< "保存するﾌｧｲﾙ名", a Shift-JIS file name
    int userTool = kNoUserToolChosen; ///< "使用するﾕｰｻﾞﾂｰﾙ"
    std::string comment;              ///< "ｺﾒﾝﾄ", Shift-JIS with CR LF line ends
    bool operator==(const SaveOperationValues&) const = default;
};

class SaveOperationDialog {
public:
    virtual ~SaveOperationDialog() = default;
    /// Shows the dialog modally with `initial`. Each OK runs `accept` on the fields, which asks
    /// its questions and says whether the dialog may close. The fields it closed with; nothing
    /// on cancel.
    virtual std::optional<SaveOperationValues>
    Ask(const SaveOperationValues& initial,
        const std::function<bool(const SaveOperationValues&)>& accept) = 0;
};

/// How "操作の呼出し" closed.
enum class RecallAction {
    Close,  ///< "ｷｬﾝｾﾙ", or "閉じる" after a deletion: nothing further
    Load,   ///< "OK": the macro becomes the recorded operation
    Replay, ///< "再生": loaded and replayed at once
};

struct RecallChoice {
    RecallAction action = RecallAction::Close;
    std::string name; ///< the "ﾌｧｲﾙ名" text, Shift-JIS
    bool operator==(const RecallChoice&) const = default;
};

class RecallOperationDialog {
public:
    virtual ~RecallOperationDialog() = default;
    /// Shows the dialog modally over `list`: the names, the comment of the selected one, "削除"
    /// through the list, and the button states the list gives.
    virtual RecallChoice Ask(RecallOperationList& list) = 0;
};

/// The busy pointer while a replay runs.
class WaitCursor {
public:
    virtual ~WaitCursor() = default;
    virtual void Begin() = 0;
    virtual void End() = 0;
};

} // namespace nelvix
