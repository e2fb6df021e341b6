// Typing into widgets as a user does, umlauts included (QTest::keyClicks knows ASCII only).
#pragma once

#include <QTest>
#include <QWidget>

namespace veldaris::test {

inline void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    const auto key = c.unicode() < 128 ? static_cast<Qt::Key>(c.toUpper().unicode()) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
  }
}

}  // namespace veldaris::test
