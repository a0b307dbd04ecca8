#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "qt/alert_box.h"
#include "tests/qt/window_fixture.h"

namespace velqora {
namespace {

struct SeenBox {
  bool found = false;
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttons = 0;
  bool okButton = false;
  bool modal = false;
  QWidget* owner = nullptr;
  QFont font;
};

// Runs show() (which blocks in the box's own loop) and looks at the box from a timer
// that then presses its button.
template <typename Show>
SeenBox inspectModalBox(Show show) {
  SeenBox seen;
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen.found = true;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttons = static_cast<int>(box->buttons().size());
    seen.okButton = box->button(QMessageBox::Ok) != nullptr;
    seen.modal = box->isModal();
    seen.owner = box->parentWidget();
    seen.font = box->font();
    box->buttons().front()->click();
  });
  // Should the box never appear, do not hang.
  QTimer::singleShot(5000, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  show();
  return seen;
}

TEST(QtMessageBox, AlertIsAModalWarningWithOneOkButton) {
  testing::WindowOnBundledData w;
  w.start();
  w.window.setMessageSink([&w](const std::string& m) { showAlert(&w.window, QString::fromStdString(m)); });
  const SeenBox seen = inspectModalBox([&w] { w.window.form().showMessage("Please set a point data."); });
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.title, "ALERT");
  EXPECT_EQ(seen.text, "Please set a point data.");
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_TRUE(seen.okButton);
  EXPECT_TRUE(seen.modal);
  EXPECT_EQ(seen.owner, &w.window);
  EXPECT_EQ(seen.font.family(), "Arial");
  EXPECT_EQ(seen.font.pointSize(), 11);
}

// A window built without a recording sink shows the box itself.
TEST(QtMessageBox, TheWindowShowsItsMessagesInTheBox) {
  testing::WorkingDirectory here(testing::bundledData());
  testing::resetGlobals();
  MainWindow window;
  ASSERT_FALSE(startUp(window.form()).has_value());
  window.show();
  const SeenBox seen = inspectModalBox([&window] { window.button(1)->click(); });
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.title, "ALERT");
  EXPECT_EQ(seen.text, "Please set a Radius.");
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(seen.owner, &window);
  testing::resetGlobals();
}

TEST(QtMessageBox, FatalStartUpErrorIsACriticalBoxWithTheReport) {
  testing::WindowOnBundledData w;
  const QString report = "gridlist.txt: the file cannot be opened";
  const SeenBox seen = inspectModalBox([&] { showFatalError(&w.window, report); });
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_TRUE(seen.text.contains(report));
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_TRUE(seen.modal);
}

}  // namespace
}  // namespace velqora
