// The list of "操作の呼出し": the valid macro files of the program home with their comments, the
// preselected one, and "削除" with what it changes in the dialog.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "record/operation_recorder.h"
#include "ui/platform.h"

namespace nelvix {

class RecallOperationList {
public:
    /// Lists the macro files through `recorder`; beeps go to `beeper`.
    RecallOperationList(OperationRecorder& recorder, ui::Beeper& beeper);

    /// The names still listed, in sorted order (Shift-JIS).
    std::vector<std::string> Names() const;
    /// The name selected as the dialog opens: the macro last loaded or saved when it is listed,
    /// else none (empty).
    const std::string& InitialName() const { return m_initialName; }
    /// The comment of a listed name; empty for a name that is not listed.
    std::string CommentOf(std::string_view sjisName) const;

    /// "削除": removes the macro file of a listed name, marks its entry deleted and drops it
    /// from the list; user-tool slots left without their file are emptied. A name that is not
    /// listed, or a file that cannot be removed, beeps and changes nothing.
    bool Delete(std::string_view sjisName);
    /// After the first deletion "OK" reads "閉じる" and closes without loading, and "再生" is
    /// disabled.
    bool AnyDeleted() const { return m_anyDeleted; }

private:
    OperationRecorder& m_recorder;
    ui::Beeper& m_beeper;
    std::vector<MacroEntry> m_entries;
    std::string m_initialName;
    bool m_anyDeleted = false;
};

} // namespace nelvix
