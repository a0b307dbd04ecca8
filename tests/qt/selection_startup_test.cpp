#include <gtest/gtest.h>

#include <QTest>

#include "qt/user_input.h"
#include "tests/qt/window_fixture.h"
#include "window/form.h"

namespace velqora {
namespace {

using testing::WindowOnBundledData;

TEST(QtStartUp, ListsShowTheirFirstEntriesAndNoFieldIsFilled) {
  WindowOnBundledData w;
  w.start();
  ASSERT_FALSE(w.error.has_value()) << w.error->report();
  for (const List l : {COMBO1, COMBO3, COMBO4}) {
    EXPECT_GT(w.list(l).count(), 1) << "COMBO" << l;
    EXPECT_EQ(w.list(l).currentIndex(), 0) << "COMBO" << l;
    EXPECT_EQ(w.list(l).currentText(), w.list(l).itemText(0)) << "COMBO" << l;
  }
  EXPECT_EQ(w.list(COMBO4).count(), 7);
  EXPECT_EQ(w.list(COMBO2).count(), 1);
  EXPECT_EQ(w.list(COMBO2).currentIndex(), 0);
  EXPECT_EQ(w.list(COMBO2).currentText().toStdString(), GRID_GROUP_PLACEHOLDER);
  for (int f = 1; f <= FIELD_COUNT; ++f)
    EXPECT_EQ(w.window.form().text(Field(f)), initialText(Field(f))) << "EDIT" << f;
  EXPECT_EQ(w.window.form().text(EDIT1), "");
  EXPECT_EQ(w.window.form().text(EDIT4), "");
  EXPECT_TRUE(w.messages.empty());
}

TEST(QtStartUp, AMissingListIsAFatalReport) {
  testing::ScratchDir dir;
  std::filesystem::copy_file(testing::bundledData() + "/prj-list.txt", dir.path() / "prj-list.txt");
  testing::WorkingDirectory here(dir.path());
  testing::resetGlobals();
  MainWindow window;
  const auto failure = startUp(window.form());
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->report(), "gridlist.txt: the file does not exist; earth-sz.txt: the file does not exist");
  testing::resetGlobals();
}

// Only the user's changes run a list's handler; the program's selections never do.
TEST(QtSelection, UserPicksRunHandlersProgramSelectionsDoNot) {
  WindowOnBundledData w;
  w.start();
  Form& form = w.window.form();

  form.selectPosition(COMBO1, 3);
  EXPECT_EQ(form.text(EDIT1), "") << "a program selection ran COMBO1_CHANGE";

  // The keyboard on the closed list: one entry down, to the fourth ellipsoid.
  w.list(COMBO1).setFocus();
  QTest::keyClick(&w.list(COMBO1), Qt::Key_Down);
  EXPECT_EQ(w.list(COMBO1).currentIndex(), 4);
  const std::string picked = form.text(EDIT1);
  EXPECT_NE(picked, "");

  // Picking the entry already selected changes nothing, so no handler runs.
  typeAsUser(w.field(EDIT1), "typed");
  pickAsUser(w.list(COMBO1), 4);
  EXPECT_EQ(form.text(EDIT1), "typed");
  pickAsUser(w.list(COMBO1), 1);
  EXPECT_EQ(form.text(EDIT1), "6378.137");

  // A grid system lists its groups with none selected; a group fills the origin.
  pickAsUser(w.list(COMBO3), 1);
  EXPECT_GT(w.list(COMBO2).count(), 1);
  EXPECT_EQ(w.list(COMBO2).currentIndex(), -1);
  EXPECT_EQ(form.text(EDIT5), "");
  form.selectPosition(COMBO2, 0);
  EXPECT_EQ(form.text(EDIT5), "") << "a program selection ran COMBO2_CHANGE";
  EXPECT_EQ(w.list(COMBO4).currentIndex(), 0);
  pickAsUser(w.list(COMBO2), 1);
  EXPECT_NE(form.text(EDIT5), "");
  EXPECT_EQ(w.list(COMBO4).currentIndex(), 1);  // Transverse Mercator, selected by the handler

  // Back to no grid system: the placeholder returns, the origin stays.
  const std::string origin = form.text(EDIT5);
  pickAsUser(w.list(COMBO3), 0);
  EXPECT_EQ(w.list(COMBO2).count(), 1);
  EXPECT_EQ(w.list(COMBO2).currentIndex(), 0);
  EXPECT_EQ(form.text(EDIT5), origin);
  EXPECT_TRUE(w.messages.empty());
}

// The buttons run their handlers: "Calculate" on the empty ellipsoid fields asks for
// a radius.
TEST(QtSelection, ButtonsRunTheirCommands) {
  WindowOnBundledData w;
  w.start();
  pressAsUser(*w.window.button(1));
  ASSERT_EQ(w.messages.size(), 1u);
  EXPECT_EQ(w.messages[0], "Please set a Radius.");

  pickAsUser(w.list(COMBO1), 1);
  w.window.button(1)->setFocus();
  QTest::keyClick(w.window.button(1), Qt::Key_Space);
  EXPECT_NE(w.window.form().text(EDIT2), "");
  w.window.form().setText(EDIT2, "");
  w.window.form().setText(EDIT4, "");
  QTest::keyClick(w.window.button(1), Qt::Key_Return);
  EXPECT_NE(w.window.form().text(EDIT2), "");
  EXPECT_EQ(w.messages.size(), 1u);
}

}  // namespace
}  // namespace velqora
