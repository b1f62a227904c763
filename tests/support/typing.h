#pragma once
// Typing and pasting into a field as a teacher would, whatever letters the keyboard carries.

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QWidget>

namespace kalidor::test {

// One key press per character, each carrying its character, as a keyboard layout holding those
// letters sends them (QTest::keyClicks only sends Latin-1 characters).
inline void typeKeys(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

// Puts `text` on the clipboard and pastes it with Ctrl+V.
inline void paste(QWidget* widget, const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
}

} // namespace kalidor::test
