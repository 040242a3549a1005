// The list of the recall dialog.
#include "commands/recall_operation_list.h"

#include <algorithm>

#include "record/macro_file.h"

namespace nelvix {
namespace {

/// The entry of a name still listed; `entries.end()` for any other name.
template <typename Entries> auto FindListed(Entries& entries, std::string_view sjisName) {
    return std::find_if(entries.begin(), entries.end(), [sjisName](const MacroEntry& entry) {
        return !entry.deleted && !sjisName.empty() && entry.name == sjisName;
    });
}

} // namespace

RecallOperationList::RecallOperationList(OperationRecorder& recorder, ui::Beeper& beeper)
    : m_recorder(recorder), m_beeper(beeper), m_entries(recorder.ListMacros()) {
    // The current macro may carry its ".mac", which the list leaves out.
    if (recorder.MacroName().empty())
        return;
    const std::string file = MacroFileName(recorder.MacroName());
    for (const MacroEntry& entry : m_entries)
        if (MacroFileName(entry.name) == file)
            m_initialName = entry.name;
}

std::vector<std::string> RecallOperationList::Names() const {
    std::vector<std::string> names;
    names.reserve(m_entries.size());
    for (const MacroEntry& entry : m_entries)
        if (!entry.deleted)
            names.push_back(entry.name);
    return names;
}

std::string RecallOperationList::CommentOf(std::string_view sjisName) const {
    const auto entry = FindListed(m_entries, sjisName);
    return entry == m_entries.end() ? std::string() : entry->comment;
}

bool RecallOperationList::Delete(std::string_view sjisName) {
    const auto entry = FindListed(m_entries, sjisName);
    if (entry == m_entries.end() || !m_recorder.DeleteMacro(entry->name)) {
        m_beeper.Beep();
        return false;
    }
    entry->deleted = true;
    m_anyDeleted = true;
    // A slot bound to the file would stay enabled and replay nothing.
    m_recorder.CheckUserTools();
    return true;
}

} // namespace nelvix
