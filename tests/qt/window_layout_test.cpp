#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "tests/qt/window_fixture.h"
#include "window/layout.h"

namespace velqora {
namespace {

using testing::WindowOnBundledData;

// Pixels at 96 DPI are round(units * 0.96).
TEST(QtWindowLayout, ControlsSitWhereTheTableSaysAt96Dpi) {
  WindowOnBundledData w;
  if (w.window.logicalDpiX() != 96 || w.window.logicalDpiY() != 96)
    GTEST_SKIP() << "the screen is not at 96 DPI";
  EXPECT_EQ(w.window.size(), QSize(614, 468));  // 640 x 488 units
  EXPECT_EQ(w.window.windowTitle(), "Velqora");
  EXPECT_EQ(w.window.minimumSize(), w.window.maximumSize());
  EXPECT_TRUE(w.window.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(w.window.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(w.window.palette().color(QPalette::Window), QColor(Qt::white));

  struct Expected {
    const char* name;
    QRect pixels;
  };
  const std::vector<Expected> fixedSize = {
      {"EDIT5", {108, 75, 57, 22}},     // 112, 78, 59, 23
      {"EDIT13", {496, 124, 91, 22}},   // 517, 129, 95, 23
      {"EDIT14", {108, 273, 47, 22}},   // 112, 284, 49, 23
      {"EDIT32", {496, 430, 98, 22}},   // 517, 448, 102, 23
      {"BUTTON1", {488, 231, 71, 21}},  // 508, 241, 74, 22
      {"BUTTON3", {9, 323, 258, 25}},   // 9, 336, 269, 26
      {"TEXT22", {446, 124, 46, 36}},   // 465, 129, 48, 37: two lines
      {"TEXT65", {289, 355, 86, 32}},   // 301, 370, 90, 33: two lines
  };
  for (const Expected& e : fixedSize) EXPECT_EQ(w.window.control(e.name)->geometry(), e.pixels) << e.name;

  // Lists: the closed list is one line high; one-line labels may grow to the right.
  const std::vector<Expected> topLeftAndWidth = {
      {"COMBO4", {83, 9, 272, 0}},    // 86, 9, 283
      {"COMBO2", {174, 41, 439, 0}},  // 181, 43, 457
      {"COMBO1", {149, 174, 405, 0}}, // 155, 181, 422
  };
  for (const Expected& e : topLeftAndWidth) {
    const QRect g = w.window.control(e.name)->geometry();
    EXPECT_EQ(g.topLeft(), e.pixels.topLeft()) << e.name;
    EXPECT_EQ(g.width(), e.pixels.width()) << e.name;
    EXPECT_LT(g.height(), 40) << e.name;
  }
  const QRect label = w.window.control("TEXT64")->geometry();  // 9, 17, 74, 17
  EXPECT_EQ(label.topLeft(), QPoint(9, 16));
  EXPECT_GE(label.width(), 71);
}

TEST(QtWindowLayout, EveryControlHasItsTextAndWeight) {
  WindowOnBundledData w;
  for (const Control& c : mainformControls()) {
    QWidget* widget = w.window.control(c.name);
    ASSERT_NE(widget, nullptr) << c.name;
    const QString text = QString::fromUtf8(c.text.data(), static_cast<qsizetype>(c.text.size()));
    EXPECT_EQ(widget->objectName().toStdString(), c.name);
    EXPECT_EQ(widget->font().bold(), c.bold) << c.name;
    EXPECT_EQ(widget->font().pointSize(), 11) << c.name;
    EXPECT_EQ(widget->font().family(), "Arial") << c.name;
    switch (c.kind) {
      case ControlKind::Label:
        EXPECT_EQ(static_cast<QLabel*>(widget)->text(), text) << c.name;
        EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus) << c.name;
        break;
      case ControlKind::Field:
        EXPECT_EQ(static_cast<QLineEdit*>(widget)->text(), text) << c.name;
        break;
      case ControlKind::Button:
        EXPECT_EQ(static_cast<QPushButton*>(widget)->text(), text) << c.name;
        break;
      case ControlKind::List:
        EXPECT_FALSE(static_cast<QComboBox*>(widget)->isEditable()) << c.name;
        break;
    }
    // Nothing lies outside the client area.
    EXPECT_TRUE(w.window.rect().contains(widget->geometry())) << c.name;
  }
}

// Tab visits the fields, lists and buttons in creation order and wraps; Shift+Tab
// goes the same way back.
TEST(QtWindowLayout, TabOrderIsTheCreationOrderBothWays) {
  WindowOnBundledData w;
  w.start();
  w.window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));

  std::vector<QWidget*> order;
  for (const Control& c : mainformControls())
    if (c.kind != ControlKind::Label) order.push_back(w.window.control(c.name));
  ASSERT_EQ(order.size(), 38u + 4u + 4u);

  order.front()->setFocus(Qt::OtherFocusReason);
  for (std::size_t i = 0; i <= order.size(); ++i) {
    ASSERT_EQ(QApplication::focusWidget(), order[i % order.size()]) << "Tab step " << i;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  // Now on the second control; step back past the start to the last one and on.
  for (std::size_t i = order.size() + 1; i-- > 0;) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), order[i % order.size()]) << "Shift+Tab to " << i;
  }
}

}  // namespace
}  // namespace velqora
