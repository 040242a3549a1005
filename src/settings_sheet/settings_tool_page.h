// The editor page "ｴﾃﾞｨﾀ" and the browser page "ﾌﾞﾗｳｻﾞ" of the settings sheet: a copy of the tool
// list, the program list with its parameters and working directory, and "参照".
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "settings_sheet/settings_fields.h"
#include "store/tool_entry.h"
#include "tools/tool_confirm.h"

namespace nelvix {

/// Whether a program file exists; given a Shift-JIS path (ProgramFileExists asks the file
/// system).
using ProgramExists = std::function<bool(std::string_view sjisPath)>;

class SetToolPageModel {
public:
    /// Takes a copy of the list; the fields show entry 0 (empty fields for an empty list).
    void Open(const std::vector<ToolEntry>& list);
    /// The list as it stands: the copy, changed only by a passing Confirm.
    const std::vector<ToolEntry>& List() const { return m_list; }
    /// The three fields as typed; the program field is the text of the program list.
    ToolEntry& Fields() { return m_fields; }
    const ToolEntry& Fields() const { return m_fields; }

    /// The person chose entry `index` of the program list: the fields show that entry.
    void Choose(std::size_t index);
    /// "参照" chose a program file: its full path, with the parameters and directory emptied.
    void Browsed(std::string_view sjisPath);
    /// The fields differ from the entry they showed when the page opened or was last taken.
    bool Changed() const { return m_fields != m_shown; }

    /// OK: the fields become the front entry of the list by the tool-list rules. Fields the
    /// person left as they opened change nothing. A refusal beeps (with message 59440 for a
    /// missing program) and names the field to focus: the program, or the parameters or
    /// directory to be selected whole. An empty program leaves the list as it is and is no
    /// refusal, so that the sheet can be confirmed without a tool.
    SetCheck Confirm(ui::Platform& platform, const ProgramExists& programExists);

private:
    std::vector<ToolEntry> m_list;
    ToolEntry m_fields;
    ToolEntry m_shown;
};

} // namespace nelvix
