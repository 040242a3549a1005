// The toolbar's find box: an editable list of the find history. Enter hands its text to the
// frame; Escape gives the focus back to the active window.
#pragma once

#include <QComboBox>

#include <functional>
#include <string>
#include <vector>

namespace nelvix::qt {

class FindBox final : public QComboBox {
    Q_OBJECT
public:
    explicit FindBox(int dotsPerInch, QWidget* parent = nullptr);

    /// Empties the box and lists the history (Shift-JIS, newest first, at most 20), the first
    /// entry selected.
    void Refresh(const std::vector<std::string>& sjisHistory);
    /// The box's text as Shift-JIS.
    std::string SjisText() const;
    /// Keyboard focus into the box, its text selected.
    void TakeFocus();

    void SetOnEnter(std::function<void(const std::string& sjisText)> onEnter);
    void SetOnEscape(std::function<void()> onEscape);

    void showPopup() override;

protected:
    // The line edit hands its focus to the box, so the keys typed into it arrive here first.
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void(const std::string&)> m_onEnter;
    std::function<void()> m_onEscape;
};

} // namespace nelvix::qt
