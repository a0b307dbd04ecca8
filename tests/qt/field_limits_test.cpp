#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>

#include "qt/user_input.h"
#include "tests/qt/window_fixture.h"

namespace velqora {
namespace {

using testing::WindowOnBundledData;

struct Limit {
  Field field;
  int limit;
};
const std::vector<Limit> LIMITS = {{EDIT1, 15}, {EDIT13, 15}, {EDIT14, 4}, {EDIT15, 4}, {EDIT16, 2},
                                   {EDIT17, 2}, {EDIT18, 15}, {EDIT27, 4}, {EDIT28, 2}, {EDIT38, 15}};
const QString LONG_TEXT = QStringLiteral("12345678901234567890");

// Typing, pasting, dropping and composing all stop at the field's limit.
TEST(QtFieldLimits, UserInputStopsAtTheLimit) {
  WindowOnBundledData w;
  w.start();
  for (const Limit& l : LIMITS) {
    FieldEdit& field = w.field(l.field);
    const QString cut = LONG_TEXT.left(l.limit);

    typeAsUser(field, LONG_TEXT);
    EXPECT_EQ(field.text(), cut) << "typing into EDIT" << l.field;

    typeAsUser(field, "");
    QGuiApplication::clipboard()->setText(LONG_TEXT);
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.text(), cut) << "pasting into EDIT" << l.field;
    // Pasting over a selection counts what stays besides it.
    field.setSelection(0, 1);
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.text(), cut) << "pasting over a selection in EDIT" << l.field;

    typeAsUser(field, "");
    QInputMethodEvent compose;
    compose.setCommitString(LONG_TEXT);
    QApplication::sendEvent(&field, &compose);
    EXPECT_EQ(field.text(), cut) << "composing in EDIT" << l.field;

    typeAsUser(field, "");
    QMimeData mime;
    mime.setText(LONG_TEXT);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&field, &enter);
    QDragMoveEvent move(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&field, &move);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&field, &drop);
    EXPECT_EQ(field.text(), cut) << "dropping into EDIT" << l.field;
  }
}

// A result longer than the limit is written whole, its start in view; the user may
// shorten it but never lengthen it, and typing anew obeys the limit again.
TEST(QtFieldLimits, ProgramWritesStayWhole) {
  WindowOnBundledData w;
  w.start();
  Form& form = w.window.form();
  for (const Limit& l : LIMITS) {
    FieldEdit& field = w.field(l.field);
    const std::string result = "-123.45678901234567890";
    form.setText(l.field, result);
    EXPECT_EQ(form.text(l.field), result) << "EDIT" << l.field;
    EXPECT_EQ(field.cursorPosition(), 0) << "EDIT" << l.field;

    field.setCursorPosition(static_cast<int>(field.text().size()));
    QTest::keyClicks(&field, "9");
    EXPECT_EQ(form.text(l.field), result) << "typing after a long result in EDIT" << l.field;

    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClicks(&field, "99");
    EXPECT_EQ(form.text(l.field), result.substr(0, result.size() - 1)) << "EDIT" << l.field;

    QGuiApplication::clipboard()->setText(LONG_TEXT);
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_LE(field.text().size(), static_cast<qsizetype>(result.size())) << "EDIT" << l.field;

    typeAsUser(field, LONG_TEXT);
    EXPECT_EQ(field.text(), LONG_TEXT.left(l.limit)) << "EDIT" << l.field;

    // A short write after a long one leaves no room beyond the limit.
    form.setText(l.field, result);
    form.setText(l.field, "");
    QGuiApplication::clipboard()->setText(LONG_TEXT);
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.text(), LONG_TEXT.left(l.limit)) << "EDIT" << l.field;
  }
}

// A field keeps its selection when the focus moves on, so the user still sees it.
TEST(QtFieldLimits, SelectionStaysWhenTheFocusLeaves) {
  WindowOnBundledData w;
  w.start();
  w.window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
  FieldEdit& field = w.field(EDIT13);
  field.setFocus();
  field.setSelection(1, 3);
  QTest::keyClick(&field, Qt::Key_Tab);
  ASSERT_NE(QApplication::focusWidget(), &field);
  EXPECT_EQ(field.selectedText(), ".00");
}

}  // namespace
}  // namespace velqora
