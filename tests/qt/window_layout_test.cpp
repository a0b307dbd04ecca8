#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTest>

#include "qt/user_input.h"
#include "tests/qt/window_fixture.h"
#include "window/layout.h"
#include "window/layout_fit.h"

namespace velqora {
namespace {

using testing::WindowOnBundledData;

// Below the menu bar, the window is the client area of the layout table at the layout's scale.
TEST(QtWindowLayout, WindowIsTheLayoutsClientArea) {
  WindowOnBundledData w;
  EXPECT_EQ(w.window.clientArea()->size(), QSize(unitsToPixels(CLIENT_WIDTH_UNITS, w.window.logicalDpiX()),
                                                 unitsToPixels(CLIENT_HEIGHT_UNITS, w.window.logicalDpiY())));
  EXPECT_EQ(w.window.windowTitle(), "Velqora");
  EXPECT_EQ(w.window.minimumSize(), w.window.maximumSize());
  EXPECT_TRUE(w.window.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(w.window.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(w.window.palette().color(QPalette::Window), QColor(Qt::white));
  const PixelBox box = pixelBox(*findControl("EDIT13"), w.window.logicalDpiX(), w.window.logicalDpiY());
  EXPECT_EQ(w.window.control("EDIT13")->geometry(), QRect(box.x, box.y, box.width, box.height));
}

// A control as laid out, with its text measured by Qt's font metrics in its own font, and
// the room the widget gives that text (as QLabel, QLineEdit, QPushButton and the open
// list of QComboBox lay it out).
MeasuredControl measured(const MainWindow& window, const Control& c) {
  QWidget* widget = window.control(c.name);
  const QRect g = widget->geometry();
  MeasuredControl m{std::string(c.name), c.kind, g.x(), g.y(), g.width(), g.height()};
  const QFontMetricsF metrics(widget->font());
  const auto up = [](double length) { return static_cast<int>(std::ceil(length - 1e-6)); };
  QStyle* style = widget->style();
  switch (c.kind) {
    case ControlKind::Label: {
      const auto* label = static_cast<const QLabel*>(widget);
      if (label->wordWrap()) {
        const QRectF wrapped = metrics.boundingRect(QRectF(0, 0, g.width(), 1000),
                                                    Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, label->text());
        m.textWidth = up(wrapped.width());
        m.textHeight = up(wrapped.height());
      } else {
        // A line at the top of the box needs the height down to the bottom of its ink.
        m.textWidth = up(metrics.horizontalAdvance(label->text()));
        m.textHeight = up(metrics.ascent() + metrics.tightBoundingRect(label->text()).bottom());
      }
      m.roomWidth = label->contentsRect().width();
      m.roomHeight = label->contentsRect().height();
      break;
    }
    case ControlKind::Field: {
      const auto* edit = static_cast<const QLineEdit*>(widget);
      QStyleOptionFrame frame;
      frame.initFrom(edit);
      frame.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, edit);
      const QRect area =
          style->subElementRect(QStyle::SE_LineEditContents, &frame, edit).marginsRemoved(edit->textMargins());
      // QLineEdit keeps 2 pixels either side and scrolls once the text and its caret
      // pixel are wider than the rest.
      m.textWidth = qRound(metrics.horizontalAdvance(QString::fromUtf8(longestFieldText(Field(c.number)).data()))) + 1;
      m.textHeight = up(metrics.height());
      m.roomWidth = area.width() - 2 * 2;
      m.roomHeight = area.height();
      break;
    }
    case ControlKind::Button: {
      const auto* button = static_cast<const QPushButton*>(widget);
      QStyleOptionButton option;
      option.initFrom(button);
      const QRect face = style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
      m.textWidth = up(metrics.horizontalAdvance(button->text()));
      m.textHeight = up(metrics.height());
      m.roomWidth = face.width();
      m.roomHeight = face.height();
      break;
    }
    case ControlKind::List: {
      auto* combo = static_cast<QComboBox*>(widget);
      combo->showPopup();
      m.textWidth = combo->view()->sizeHintForColumn(0);
      m.roomWidth = combo->view()->viewport()->width();
      combo->hidePopup();
      break;
    }
  }
  return m;
}

// Every label, button caption and field's longest text shows whole, each open list is as
// wide as its widest entry, and no control lies over another. ctest runs this at 96 DPI
// and at Qt's scale factors 1.25, 1.5 and 2 (120, 144 and 192 DPI).
TEST(QtLayoutFit, EveryTextShowsWholeAndNothingOverlaps) {
  WindowOnBundledData w;
  w.start();
  pickAsUser(w.list(COMBO3), 5);  // a grid system with a long name, and its grid groups
  std::vector<MeasuredControl> controls;
  for (const Control& c : mainformControls()) controls.push_back(measured(w.window, c));
  std::string problems;
  for (const std::string& p : layoutProblems(controls, w.window.clientArea()->width(), w.window.clientArea()->height()))
    problems += p + "\n";
  EXPECT_EQ(problems, "") << "at Qt's scale " << w.window.devicePixelRatioF();
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
    EXPECT_TRUE(w.window.clientArea()->rect().contains(widget->geometry())) << c.name;
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
