// What the two rule pages of the extraction sheet share on the screen: the process group, a
// list showing a rule list with its selection, push buttons in their row, and field labels.
#pragma once

#include <QString>

#include <cstddef>
#include <optional>

#include "extract/extraction_rules.h"

class QButtonGroup;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

namespace nelvix::qt {

/// The group "処理" with "抽出" (id 0) and "削除" (id 1) in `buttons`.
QGroupBox* ProcessGroup(QButtonGroup* buttons, QWidget* parent);
/// A list of rule texts; one entry at most is selected.
QListWidget* RuleListWidget(const char* name, QWidget* parent);
QPushButton* PageButton(const char* name, const QString& label, QWidget* parent);
/// "追加" and "削除" at the right end of a row.
QHBoxLayout* ButtonRow(QPushButton* add, QPushButton* remove);
/// A label whose mnemonic goes to `buddy`.
QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent);

/// Shows the entries of `list` with `selection` selected and in view; no signals.
void ShowRuleList(QListWidget* widget, const RuleList& list, std::optional<std::size_t> selection);
/// The selected row; nothing when none is.
std::optional<std::size_t> SelectedRow(const QListWidget* widget);

} // namespace nelvix::qt
