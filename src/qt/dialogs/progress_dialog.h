// The progress window of a long run: a caption, lines of "label value" (some of them framed in
// titled groups, which stand side by side) and a stop button. A run may set a hundred thousand
// values, so a value is only stored, and the lines show the stored values every 50 ms while the
// run lets events through.
#pragma once

#include <QDialog>
#include <QString>
#include <QTimer>

#include <string>
#include <vector>

#include "ui/frame_services.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace nelvix::qt {

/// How often the shown values follow the stored ones.
inline constexpr int kProgressRefreshMilliseconds = 50;
/// How long an opening window is waited for on the screen before the run starts anyway.
inline constexpr int kMapWaitMilliseconds = 500;
inline constexpr int kMapPollMilliseconds = 5;

class ProgressDialog final : public QDialog, public ui::ProgressWindow {
    Q_OBJECT
public:
    explicit ProgressDialog(QWidget* parent = nullptr);

    /// Shows the window and paints it before returning; other windows take no input while it
    /// is open, so that no second run starts from inside the first one's event pump, and show
    /// the busy pointer.
    void OpenGroups(std::string_view caption, const std::vector<std::string>& labels,
                    const std::vector<ui::ProgressGroup>& groups,
                    std::string_view stopButton) override;
    void SetValue(std::size_t line, std::string_view text) override;
    bool StopRequested() override { return m_stopRequested; }
    void Close() override;

    /// Shows the stored values now.
    void ShowValues();

protected:
    /// Escape and the window's close button ask the run to stop; the run closes the window.
    void reject() override;

private:
    /// Builds the lines anew in a fresh container.
    void BuildLines(const std::vector<std::string>& labels,
                    const std::vector<ui::ProgressGroup>& groups);
    /// A new line of the container, in the order of the labels.
    QLabel* AddLine(int widthPixels);
    /// Puts the window on the screen and paints it and the frame below it.
    void PaintBeforeRun();

    QVBoxLayout* m_layout;
    QWidget* m_linesArea = nullptr;
    QPushButton* m_stop;
    QTimer m_refresh;
    std::vector<QLabel*> m_lines;
    std::vector<int> m_lineWidths;
    std::vector<QString> m_labels;
    std::vector<std::string> m_values;
    bool m_valuesChanged = false;
    bool m_stopRequested = false;
    /// The busy pointer is shown over the program's windows while the run holds them.
    bool m_busy = false;
};

} // namespace nelvix::qt
