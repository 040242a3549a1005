// A check box made with its object name, by which tests and scenarios find it.
#pragma once

#include <QCheckBox>
#include <QString>

namespace nelvix::qt {

inline QCheckBox* CheckBox(const char* objectName, const QString& label, QWidget* parent) {
    auto* box = new QCheckBox(label, parent);
    box->setObjectName(QString::fromUtf8(objectName));
    return box;
}

} // namespace nelvix::qt
