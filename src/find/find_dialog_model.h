// The find dialog ("文字列の検索") as a model: what it proposes on opening, its "次を検索"
// button and its closing; one dialog for the whole program.
#pragma once

#include <optional>
#include <string>

#include "find/find_target.h"
#include "find/text_find.h"

namespace nelvix {

/// The command that opens the find dialog, and the dialog's resource id.
inline constexpr int kFindCommand = 57636;
inline constexpr int kFindDialogId = 1540;

/// What the dialog shows and what it hands back.
struct FindDialogFields {
    std::string findString;         ///< "検索する文字列"
    bool matchCase = false;         ///< "大文字と小文字を区別する"
    bool down = true;               ///< "下へ向って"; off: "上へ向って"
    bool regularExpression = false; ///< "正規表現を使用する"
    bool widthSensitive = true;     ///< "半角と全角を区別する"
    bool operator==(const FindDialogFields&) const = default;
};

class FindDialogModel {
public:
    explicit FindDialogModel(TextFind& find) : m_find(find) {}

    /// Command 57636: sets the search range from a long or multi-line selection and returns the
    /// fields to open the dialog with; nothing when the dialog is already open (it is then
    /// only activated).
    std::optional<FindDialogFields> Open(FindTarget& target);
    /// "次を検索": false when nothing was found (after the beep).
    bool OnFindNext(FindTarget& target, const FindDialogFields& fields);
    /// The dialog closed: forgotten, and the search range of the window cleared.
    void OnClose(FindTarget& target);
    /// The dialog closed while no text window is active: only forgotten.
    void OnCloseWithoutWindow() { m_open = false; }
    bool IsOpen() const { return m_open; }

private:
    TextFind& m_find;
    bool m_open = false;
};

} // namespace nelvix
