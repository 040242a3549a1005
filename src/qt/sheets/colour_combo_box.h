// A drop-down list of the sixteen colours of the standard palette: item k shows a swatch of
// palette colour k + 1, filled and framed in black.
#pragma once

#include <QComboBox>

namespace nelvix::qt {

class ColourComboBox final : public QComboBox {
    Q_OBJECT
public:
    explicit ColourComboBox(const QString& name, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace nelvix::qt
