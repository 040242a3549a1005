// How the two rule pages of the extraction sheet hand what the person does to their models: the
// process, the entry's text and position, "追加" and "削除". Both page models take these the
// same way.
#pragma once

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>

#include "extract/extraction_entry_fields.h"
#include "qt/platform/convert.h"
#include "qt/sheets/number_field.h"

namespace nelvix::qt {

/// The widgets of a rule page that edit its model.
struct RulePageEdits {
    QButtonGroup* process;
    QLineEdit* text;
    ExtNumberField* position;
    QPushButton* add;
    QPushButton* remove;
};

/// A new process, an added entry and a deleted one show the page again and tell that the rules
/// changed; an entry that "追加" refuses selects the field the refusal names.
template <class Page, class Model>
void ConnectRulePageEdits(Page* page, Model& model, const RulePageEdits& edits) {
    QObject::connect(edits.process, &QButtonGroup::idClicked, page, [page, &model](int index) {
        model.SetProcess(index);
        page->Show();
        emit page->Changed();
    });
    QObject::connect(edits.text, &QLineEdit::textEdited, page,
                     [&model](const QString& text) { model.EditText(QStringToSjis(text)); });
    ExtNumberField* position = edits.position;
    QObject::connect(position, &ExtNumberField::Edited, page,
                     [position, &model] { model.EditPosition(position->Text()); });
    QObject::connect(edits.add, &QPushButton::clicked, page, [page, &model] {
        const ExtCheck check = model.Add();
        if (!check.ok) {
            page->SelectField(check.select);
            return;
        }
        page->Show();
        emit page->Changed();
    });
    QObject::connect(edits.remove, &QPushButton::clicked, page, [page, &model] {
        if (!model.Delete())
            return;
        page->Show();
        emit page->Changed();
    });
}

} // namespace nelvix::qt
