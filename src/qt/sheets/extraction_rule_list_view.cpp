// Pieces of the extraction sheet's rule pages.
#include "qt/sheets/extraction_rule_list_view.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "extract/extraction_step1_page_model.h"
#include "qt/platform/convert.h"

namespace nelvix::qt {

QGroupBox* ProcessGroup(QButtonGroup* buttons, QWidget* parent) {
    auto* group = new QGroupBox(QStringLiteral("処理"), parent);
    auto* layout = new QHBoxLayout(group);
    auto* extract = new QRadioButton(QStringLiteral("抽出"), group);
    extract->setObjectName(QStringLiteral("processExtract"));
    auto* remove = new QRadioButton(QStringLiteral("削除"), group);
    remove->setObjectName(QStringLiteral("processDelete"));
    buttons->addButton(extract, kProcessExtract);
    buttons->addButton(remove, kProcessDelete);
    layout->addWidget(extract);
    layout->addWidget(remove);
    layout->addStretch();
    return group;
}

QListWidget* RuleListWidget(const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromUtf8(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

QPushButton* PageButton(const char* name, const QString& label, QWidget* parent) {
    auto* button = new QPushButton(label, parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setAutoDefault(false);
    return button;
}

QHBoxLayout* ButtonRow(QPushButton* add, QPushButton* remove) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(add);
    row->addWidget(remove);
    return row;
}

QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

void ShowRuleList(QListWidget* widget, const RuleList& list, std::optional<std::size_t> selection) {
    const QSignalBlocker blocker(widget);
    // The items are built anew only when the list changed, since this also runs while the
    // widget reports a selection made with the mouse.
    QStringList texts;
    for (const RuleEntry& entry : list.Used())
        texts << SjisToQString(entry.Text());
    bool same = widget->count() == texts.size();
    for (int i = 0; same && i < widget->count(); ++i)
        same = widget->item(i)->text() == texts[i];
    if (!same) {
        widget->clear();
        widget->addItems(texts);
    }
    if (!selection || *selection >= list.Used().size()) {
        widget->clearSelection();
        return;
    }
    QListWidgetItem* item = widget->item(static_cast<int>(*selection));
    if (widget->currentItem() != item)
        widget->setCurrentItem(item);
    if (!item->isSelected()) {
        widget->clearSelection();
        item->setSelected(true);
    }
    widget->scrollToItem(item);
}

std::optional<std::size_t> SelectedRow(const QListWidget* widget) {
    const QList<QListWidgetItem*> selected = widget->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return static_cast<std::size_t>(widget->row(selected.front()));
}

} // namespace nelvix::qt
