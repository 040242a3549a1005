// The settings sheet's editor and browser pages.
#include "settings_sheet/settings_tool_page.h"

namespace nelvix {

void SetToolPageModel::Open(const std::vector<ToolEntry>& list) {
    m_list = list;
    m_fields = m_list.empty() ? ToolEntry{} : m_list.front();
    m_shown = m_fields;
}

void SetToolPageModel::Choose(std::size_t index) {
    if (index < m_list.size())
        m_fields = m_list[index];
}

void SetToolPageModel::Browsed(std::string_view sjisPath) {
    m_fields = ToolEntry{std::string(sjisPath), {}, {}};
}

SetCheck SetToolPageModel::Confirm(ui::Platform& platform, const ProgramExists& programExists) {
    if (!Changed())
        return {};
    // The rule beeps for every refusal, with message 59440 for a missing program.
    switch (ConfirmToolEntry(platform, m_list, m_fields, programExists)) {
    case ToolEditResult::Added:
        m_shown = m_fields;
        return {};
    case ToolEditResult::EmptyProgram:
        return {};
    case ToolEditResult::ProgramTooLong:
    case ToolEditResult::ProgramMissing:
        return {false, 0, SetField::Program, false};
    case ToolEditResult::ParametersTooLong:
        return {false, 0, SetField::Parameters, true};
    case ToolEditResult::DirectoryTooLong:
        return {false, 0, SetField::Directory, true};
    }
    return {};
}

} // namespace nelvix
