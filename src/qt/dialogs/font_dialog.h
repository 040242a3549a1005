// The platform's font dialog, offering fixed-pitch fonts only.
#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/frame_services.h"

namespace nelvix::qt {

class QtFontDialog final : public ui::FontDialog {
public:
    explicit QtFontDialog(QWidget* owner = nullptr) : m_owner(owner) {}

    /// Modal over the owner; starts from `current` (a face that is not installed starts from
    /// the nearest one Qt finds).
    std::optional<ui::FontChoice> AskFixedPitchFont(const ui::FontChoice& current) override;
    void SetOwner(QWidget* owner) { m_owner = owner; }

private:
    QPointer<QWidget> m_owner;
};

} // namespace nelvix::qt
