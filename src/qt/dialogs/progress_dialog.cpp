// The progress window.
#include "qt/dialogs/progress_dialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>

#include <optional>

#include "qt/platform/convert.h"

namespace nelvix::qt {
namespace {

/// Wide enough for a path of some length; longer values are shortened in the middle.
constexpr int kLineWidthPixels = 420;
/// Groups stand side by side; each of two shares the width of one line.
constexpr int kGroupLineWidthPixels = 190;

/// The group that frames `line`: the first one whose lines include it.
std::optional<std::size_t> GroupOf(const std::vector<ui::ProgressGroup>& groups, std::size_t line) {
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (line >= groups[g].firstLine && line - groups[g].firstLine < groups[g].lineCount)
            return g;
    }
    return std::nullopt;
}

bool IsOnScreen(const QWidget& widget) {
    const QWindow* window = widget.windowHandle();
    return window != nullptr && window->isExposed();
}

} // namespace

ProgressDialog::ProgressDialog(QWidget* parent)
    : QDialog(parent), m_layout(new QVBoxLayout(this)), m_stop(new QPushButton(this)) {
    m_stop->setObjectName(QStringLiteral("stop"));
    m_layout->addWidget(m_stop, 0, Qt::AlignHCenter);
    m_refresh.setInterval(kProgressRefreshMilliseconds);
    connect(&m_refresh, &QTimer::timeout, this, &ProgressDialog::ShowValues);
    connect(m_stop, &QPushButton::clicked, this, [this] { m_stopRequested = true; });
}

void ProgressDialog::OpenGroups(std::string_view caption, const std::vector<std::string>& labels,
                                const std::vector<ui::ProgressGroup>& groups,
                                std::string_view stopButton) {
    BuildLines(labels, groups);
    m_values.assign(labels.size(), std::string());
    m_valuesChanged = true;
    m_stopRequested = false;
    setWindowTitle(SjisToQString(caption));
    m_stop->setText(SjisToQString(stopButton));
    ShowValues();
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    if (!m_busy) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        m_busy = true;
    }
    PaintBeforeRun();
    m_refresh.start();
}

void ProgressDialog::PaintBeforeRun() {
    // The window manager maps the window, and uncovers the place of a dialog just closed, only
    // after a round trip; the run would hold the events back until its first pump, so the
    // window is waited for here, briefly, and everything is painted before the first file.
    QElapsedTimer waited;
    waited.start();
    while (!IsOnScreen(*this) && waited.elapsed() < kMapWaitMilliseconds) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(kMapPollMilliseconds);
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (QWidget* owner = parentWidget())
        owner->repaint();
    repaint();
}

void ProgressDialog::BuildLines(const std::vector<std::string>& labels,
                                const std::vector<ui::ProgressGroup>& groups) {
    delete m_linesArea;
    m_linesArea = new QWidget(this);
    auto* lines = new QVBoxLayout(m_linesArea);
    lines->setContentsMargins(0, 0, 0, 0);
    m_layout->insertWidget(0, m_linesArea);
    m_lines.clear();
    m_lineWidths.clear();
    m_labels.clear();
    // Groups that follow one another share one row; a line outside any group ends the row.
    QHBoxLayout* groupRow = nullptr;
    std::vector<QVBoxLayout*> groupLayouts(groups.size(), nullptr);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        m_labels.push_back(SjisToQString(labels[i]));
        const std::optional<std::size_t> group = GroupOf(groups, i);
        if (!group) {
            groupRow = nullptr;
            lines->addWidget(AddLine(kLineWidthPixels));
            continue;
        }
        if (groupLayouts[*group] == nullptr) {
            if (groupRow == nullptr) {
                groupRow = new QHBoxLayout;
                lines->addLayout(groupRow);
            }
            auto* box = new QGroupBox(SjisToQString(groups[*group].title), m_linesArea);
            box->setObjectName(QStringLiteral("group%1").arg(*group));
            groupLayouts[*group] = new QVBoxLayout(box);
            groupRow->addWidget(box);
        }
        groupLayouts[*group]->addWidget(AddLine(kGroupLineWidthPixels));
    }
    adjustSize();
}

QLabel* ProgressDialog::AddLine(int widthPixels) {
    auto* line = new QLabel(m_linesArea);
    line->setObjectName(QStringLiteral("line%1").arg(m_lines.size()));
    line->setFixedWidth(widthPixels);
    m_lines.push_back(line);
    m_lineWidths.push_back(widthPixels);
    return line;
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
    if (m_busy) {
        QApplication::restoreOverrideCursor();
        m_busy = false;
    }
}

void ProgressDialog::ShowValues() {
    if (!m_valuesChanged)
        return;
    m_valuesChanged = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        QLabel* line = m_lines[i];
        const QString text = m_labels[i] + SjisToQString(m_values[i]);
        line->setText(line->fontMetrics().elidedText(text, Qt::ElideMiddle, m_lineWidths[i]));
    }
}

void ProgressDialog::reject() {
    m_stopRequested = true;
}

} // namespace nelvix::qt
