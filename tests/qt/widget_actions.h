// What a person does to a dialog's controls, for the dialog tests: finding a control by its
// object name, clicking buttons and tabs, typing over a field, stepping a list; and a
// double-click.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <algorithm>

namespace nelvix::test {

template <typename T> T* Child(QWidget& parent, const char* name) {
    return parent.findChild<T*>(QString::fromUtf8(name));
}

/// A control of one page; the pages share their controls' names.
template <typename T> T* OnPage(QWidget& sheet, const char* page, const char* name) {
    QWidget* pageWidget = Child<QWidget>(sheet, page);
    return pageWidget != nullptr ? Child<T>(*pageWidget, name) : nullptr;
}

/// Clicks near the left edge, where a check box or radio button has its box even when the
/// layout made the widget wider than its label.
inline void Click(QAbstractButton* button) {
    QVERIFY(button != nullptr);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier,
                      QPoint(std::min(8, button->width() / 2), button->height() / 2));
}

inline void Click(QWidget& parent, const char* buttonName) {
    Click(Child<QAbstractButton>(parent, buttonName));
}

/// Clicks the tab of page `index` of the sheet's tab widget "pages".
inline void ClickTab(QWidget& sheet, int index) {
    QTabBar* bar = Child<QTabWidget>(sheet, "pages")->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

/// Types over a line edit's text; characters beyond ASCII come as the text of a key event, as
/// an input method hands them over.
inline void TypeInto(QLineEdit* edit, const QString& text) {
    QVERIFY(edit != nullptr);
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(edit, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

/// Gives a list the focus and moves its choice with the Down key.
inline void StepList(QComboBox* list, int steps) {
    QVERIFY(list != nullptr);
    list->setFocus();
    for (int i = 0; i < steps; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

/// Chooses `path` in an open file dialog as a person does, typing it into the name field, and
/// presses its OK. (QFileDialog::selectFile leaves the field alone once it has the focus, which
/// depends on when the dialog was activated.)
inline void ChooseFile(QFileDialog& dialog, const QString& path) {
    auto* nameField = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(nameField != nullptr);
    nameField->setText(path);
    static_cast<QDialog&>(dialog).accept(); // public through its base
}

/// A double-click as the window system delivers it: press, release, the double-click, release.
inline void DoubleClick(QWidget* widget, QPoint at, Qt::MouseButton button) {
    QTest::mouseClick(widget, button, {}, at);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), button,
                            button, {});
    QApplication::sendEvent(widget, &doubleClick);
    QTest::mouseRelease(widget, button, {}, at);
}

/// Without a window manager nothing activates a dialog that opens.
inline void Activate(QWidget& window) {
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("the window did not become active");
}

} // namespace nelvix::test
