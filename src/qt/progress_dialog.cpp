// The progress window.
#include "qt/progress_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/convert.h"

namespace nelvix::qt {
namespace {

/// Wide enough for a path of some length; longer values are shortened in the middle.
constexpr int kLineWidthPixels = 420;

} // namespace

ProgressDialog::ProgressDialog(QWidget* parent)
    : QDialog(parent), m_lineLayout(new QVBoxLayout), m_stop(new QPushButton(this)) {
    m_stop->setObjectName(QStringLiteral("stop"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_lineLayout);
    layout->addWidget(m_stop, 0, Qt::AlignHCenter);
    m_refresh.setInterval(kProgressRefreshMilliseconds);
    connect(&m_refresh, &QTimer::timeout, this, &ProgressDialog::ShowValues);
    connect(m_stop, &QPushButton::clicked, this, [this] { m_stopRequested = true; });
}

void ProgressDialog::OpenGroups(std::string_view caption, const std::vector<std::string>& labels,
                                const std::vector<ui::ProgressGroup>& /*groups*/,
                                std::string_view stopButton) {
    for (QLabel* line : m_lines)
        delete line;
    m_lines.clear();
    m_labels.clear();
    for (const std::string& label : labels) {
        auto* line = new QLabel(this);
        line->setObjectName(QStringLiteral("line%1").arg(m_lines.size()));
        line->setFixedWidth(kLineWidthPixels);
        m_lineLayout->addWidget(line);
        m_lines.push_back(line);
        m_labels.push_back(SjisToQString(label));
    }
    m_values.assign(labels.size(), std::string());
    m_valuesChanged = true;
    m_stopRequested = false;
    setWindowTitle(SjisToQString(caption));
    m_stop->setText(SjisToQString(stopButton));
    ShowValues();
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    m_refresh.start();
}

void ProgressDialog::SetValue(std::size_t line, std::string_view text) {
    if (line >= m_values.size())
        return;
    m_values[line].assign(text);
    m_valuesChanged = true;
}

void ProgressDialog::Close() {
    m_refresh.stop();
    hide();
}

void ProgressDialog::ShowValues() {
    if (!m_valuesChanged)
        return;
    m_valuesChanged = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        QLabel* line = m_lines[i];
        const QString text = m_labels[i] + SjisToQString(m_values[i]);
        line->setText(line->fontMetrics().elidedText(text, Qt::ElideMiddle, kLineWidthPixels));
    }
}

void ProgressDialog::reject() {
    m_stopRequested = true;
}

} // namespace nelvix::qt
