// The settings sheet's colour page.
#include "qt/sheets/settings_colour_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "qt/sheets/colour_combo_box.h"

namespace nelvix::qt {

namespace {

struct ColourLabel {
    const char* name;
    const char* label;
};

/// Names and labels in the order of kColourControls.
constexpr std::array<ColourLabel, kColourControlCount> kColourLabels{{
    {"cKeyword", "Cｷｰﾜｰﾄﾞ"},
    {"cppKeyword", "C++ｷｰﾜｰﾄﾞ"},
    {"comment", "ｺﾒﾝﾄ行"},
    {"text", "文字"},
    {"lineEnd", "改行"},
    {"tab", "ﾀﾌﾞ"},
    {"markedLineBack", "ﾏｰｸ行背景"},
    {"textBack", "文字背景"},
    {"tagLineBack", "ﾀｸﾞ先行背景"},
    {"userKeyword", "ｷｰﾜｰﾄﾞ"},
    {"markedCharBack", "ﾏｰｸ文字背景"},
}};

/// The shown lists stand in two columns.
constexpr int kRowsPerColumn = 5;

} // namespace

CColourPage::CColourPage(SetColourPageModel& model, QWidget* parent)
    : QWidget(parent), m_model(model) {
    setObjectName(QStringLiteral("colourPage"));
    auto* grid = new QGridLayout;
    int shown = 0;
    for (std::size_t i = 0; i < kColourControlCount; ++i) {
        m_lists[i] = new ColourComboBox(QString::fromUtf8(kColourLabels[i].name), this);
        if (!kColourControls[i].shown) {
            m_lists[i]->hide();
            continue;
        }
        auto* label = new QLabel(QString::fromUtf8(kColourLabels[i].label), this);
        label->setBuddy(m_lists[i]);
        const int row = shown % kRowsPerColumn;
        const int column = shown / kRowsPerColumn * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(m_lists[i], row, column + 1);
        ++shown;
    }
    grid->setColumnStretch(4, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
}

void CColourPage::Show() {
    for (std::size_t i = 0; i < kColourControlCount; ++i)
        m_lists[i]->setCurrentIndex(m_model.Items()[i]);
}

void CColourPage::Take() {
    for (std::size_t i = 0; i < kColourControlCount; ++i)
        m_model.Items()[i] = m_lists[i]->currentIndex();
}

} // namespace nelvix::qt
