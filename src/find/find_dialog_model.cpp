// The find dialog's model.
#include "find/find_dialog_model.h"

#include <algorithm>

namespace nelvix {

namespace {

/// The selected text when it is a stream of at most 80 bytes without a CR.
std::optional<std::string> ShortSelection(const FindTarget& target) {
    const auto selection = target.StreamSelection();
    const std::uint32_t length = target.TextLength();
    if (!selection || selection->first >= length || selection->second < selection->first)
        return std::nullopt;
    const Byte* text = target.Text();
    const std::uint32_t last = std::min(selection->second, length - 1);
    const std::uint32_t end = std::min(length, last + (IsLeadByte(text[last]) ? 2u : 1u));
    if (end - selection->first > kMaxPatternBytes ||
        std::find(text + selection->first, text + end, kCr) != text + end)
        return std::nullopt;
    return std::string(reinterpret_cast<const char*>(text + selection->first),
                       end - selection->first);
}

} // namespace

std::optional<FindDialogFields> FindDialogModel::Open(FindTarget& target) {
    target.CancelBoxSelection();
    if (m_open)
        return std::nullopt;
    target.SetSearchRange(SelectionAsSearchRange(target));

    SharedFindOptions& shared = m_find.Shared();
    FindDialogFields fields;
    const auto selected = ShortSelection(target);
    fields.findString = selected ? *selected : std::string(shared.history.Newest());
    fields.matchCase = shared.options.caseSensitive;
    fields.down = shared.down;
    fields.regularExpression = shared.options.regularExpression;
    fields.widthSensitive = shared.options.widthSensitive;
    m_open = true;
    return fields;
}

bool FindDialogModel::OnFindNext(FindTarget& target, const FindDialogFields& fields) {
    SharedFindOptions& shared = m_find.Shared();
    shared.options.regularExpression = fields.regularExpression;
    shared.options.widthSensitive = fields.widthSensitive;
    const bool found = m_find.FindNext(target, fields.findString, fields.down, fields.matchCase);
    shared.history.Add(fields.findString);
    m_find.RefreshFindBox();
    shared.options.caseSensitive = fields.matchCase;
    shared.down = fields.down;
    return found;
}

void FindDialogModel::OnClose(FindTarget& target) {
    m_open = false;
    target.SetSearchRange(std::nullopt);
}

} // namespace nelvix
