// Grid > Find a grid…: the menu bar, the real Find dialog, the window's title, and a
// catalogue that is missing or holds faulty records.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "qt/find_dialog.h"
#include "qt/user_input.h"
#include "tests/qt/window_fixture.h"
#include "window/grid_catalogue.h"
#include "window/layout.h"
#include "window/menu_bar.h"

namespace velqora {
namespace {

using testing::WindowOnBundledData;

void activate(MainWindow& window) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// Runs start() (which opens the modal Find dialog and returns when it closes) and hands
// the dialog to look() from a timer; a dialog left open is closed.
bool withFindDialog(const std::function<void()>& start, const std::function<void(FindDialog&)>& look) {
  bool opened = false;
  QTimer::singleShot(0, [&] {
    if (auto* dialog = dynamic_cast<FindDialog*>(QApplication::activeModalWidget())) {
      opened = true;
      look(*dialog);
    }
  });
  QTimer::singleShot(5000, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  start();
  if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  return opened;
}

std::vector<QString> firstCodes(const FindDialog& dialog, int count) {
  std::vector<QString> codes;
  const QAbstractItemModel* model = dialog.list()->model();
  for (int row = 0; row < count && row < model->rowCount(); ++row)
    codes.push_back(model->index(row, 0).data().toString());
  return codes;
}

// The menus are the table's, with its shortcuts, and Alt with a menu's letter opens it;
// the window is the client area with the menu bar above it.
TEST(QtMenuBar, TheTablesMenusAboveTheClientArea) {
  WindowOnBundledData w;
  w.start();
  activate(w.window);
  const QList<QAction*> menus = w.window.menus()->actions();
  ASSERT_EQ(menus.size(), static_cast<qsizetype>(menuBar().size()));
  for (std::size_t m = 0; m < menuBar().size(); ++m) {
    EXPECT_EQ(menus[m]->text().toStdString(), menuBar()[m].title);
    const QList<QAction*> items = menus[m]->menu()->actions();
    ASSERT_EQ(items.size(), static_cast<qsizetype>(menuBar()[m].items.size()));
    for (std::size_t i = 0; i < menuBar()[m].items.size(); ++i) {
      EXPECT_EQ(items[i]->text().toStdString(), menuBar()[m].items[i].text);
      EXPECT_EQ(items[i]->shortcut().toString().toStdString(), shortcutText(menuBar()[m].items[i]));
    }
  }
  EXPECT_EQ(w.window.action(MenuCommand::FindGrid)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));

  const QWidget* client = w.window.clientArea();
  EXPECT_EQ(client->geometry(), QRect(0, w.window.menus()->height(), w.window.width(),
                                      unitsToPixels(CLIENT_HEIGHT_UNITS, w.window.logicalDpiY())));
  EXPECT_EQ(w.window.height(), w.window.menus()->height() + client->height());

  QMenu* grid = menus[1]->menu();
  QTest::keyClick(w.window.field(EDIT20), Qt::Key_G, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([grid] { return grid->isVisible(); }, 2000));
  grid->close();
}

// The user's way: Ctrl+F in a field, "lambert 93" typed, Lambert-93 among the first
// grids, Up and Down from the field move the highlight, Enter picks.
TEST(QtFindDialog, LambertNinetyThreeTypedAndEnterFillsTheFields) {
  WindowOnBundledData w;
  w.start();
  activate(w.window);
  std::vector<QString> codes;
  QString seriesError;
  const bool opened = withFindDialog(
      [&] { QTest::keyClick(w.window.field(EDIT20), Qt::Key_F, Qt::ControlModifier); },
      [&](FindDialog& d) {
        // A grid whose series departs from the exact projection says so under the list.
        QTest::keyClicks(d.searchField(), "3177");
        seriesError = d.seriesErrorLine()->text();
        d.searchField()->clear();
        QTest::keyClicks(d.searchField(), "lambert 93");
        codes = firstCodes(d, 5);
        QTest::keyClick(d.searchField(), Qt::Key_Down);
        EXPECT_EQ(d.list()->currentIndex().row(), 1);
        QTest::keyClick(d.searchField(), Qt::Key_Up);
        EXPECT_EQ(d.searchField()->text(), "lambert 93");
        while (d.list()->currentIndex().data().toString() != "2154" && d.list()->currentIndex().row() < 4)
          QTest::keyClick(d.searchField(), Qt::Key_Down);
        QTest::keyClick(d.searchField(), Qt::Key_Return);
      });
  ASSERT_TRUE(opened);
  EXPECT_EQ(seriesError, "series error up to 120 mm at the edge of its area");
  EXPECT_NE(std::find(codes.begin(), codes.end(), "2154"), codes.end()) << "first codes: " << codes.size();
  EXPECT_EQ(w.window.windowTitle(), "Velqora - EPSG:2154 RGF93 v1 / Lambert-93");
  const Form& form = w.window.form();
  for (const auto& [field, text] : std::vector<std::pair<Field, std::string>>{{EDIT1, "6378.137"},
                                                                              {EDIT3, "298.257222101"},
                                                                              {EDIT5, "3"},
                                                                              {EDIT6, "46"},
                                                                              {EDIT8, "30"},
                                                                              {EDIT11, "700"},
                                                                              {EDIT12, "6600"},
                                                                              {EDIT13, "1"},
                                                                              {EDIT33, "49"},
                                                                              {EDIT34, "44"}})
    EXPECT_EQ(form.text(field), text) << "EDIT" << field;
  EXPECT_EQ(w.list(COMBO4).currentIndex(), 3);  // two-parallel Lambert
  EXPECT_TRUE(w.messages.empty());
}

// The title names the picked grid until the user changes the ellipsoid or grid fields.
TEST(QtWindowTitle, PlainAgainWhenTheUserChangesTheGridNotAfterAConversion) {
  struct Case {
    const char* what;
    std::function<void(WindowOnBundledData&)> act;
    bool plain;
  };
  const std::vector<Case> cases = {
      {"a pick in the ellipsoid list", [](auto& w) { pickAsUser(w.list(COMBO1), 2); }, true},
      {"a pick in the projection list", [](auto& w) { pickAsUser(w.list(COMBO4), 1); }, true},
      {"Calculate", [](auto& w) { pressAsUser(*w.window.button(1)); }, true},
      {"typing into the scale factor", [](auto& w) { typeAsUser(w.field(EDIT13), "0.9996"); }, true},
      {"typing into a standard parallel", [](auto& w) { typeAsUser(w.field(EDIT38), "30"); }, true},
      {"typing a point", [](auto& w) { typeAsUser(w.field(EDIT20), "2.35"); }, false},
      {"a conversion there and back",
       [](auto& w) {
         typeAsUser(w.field(EDIT21), "48.85");
         pressAsUser(*w.window.button(2));
         pressAsUser(*w.window.button(4));
       },
       false},
  };
  WindowOnBundledData w;
  w.start();
  const GridCatalogue* catalogue = w.window.openGridCatalogue();
  ASSERT_NE(catalogue, nullptr);
  GridFinder finder(*catalogue);
  finder.setQuery("2154");
  for (const Case& c : cases) {
    w.window.pickGrid(finder.entry(0));
    ASSERT_EQ(w.window.windowTitle(), "Velqora - EPSG:2154 RGF93 v1 / Lambert-93");
    c.act(w);
    EXPECT_EQ(w.window.windowTitle() == "Velqora", c.plain) << c.what << ": " << w.window.windowTitle().toStdString();
  }
  EXPECT_TRUE(w.messages.empty());
}

// A catalogue that cannot be read is told in the "ALERT" box, naming the file, and the
// window goes on; faulty records are told once, and the rest of the catalogue serves.
TEST(QtFindGrid, AMissingOrFaultyCatalogueIsToldAndTheWindowGoesOn) {
  const std::vector<std::string> good = {
      "# EPSG:2154", "RGF93 v1 / Lambert-93", "2154,, -9.86, 41.15, 10.38, 51.56, France",
      "GRS 1980, 6378.137,,298.257222101,", "3,0,0, 46,30,0, 700,6600, 1, LCC2, 49,0,0, 44,0,0"};
  // Twelve faulty records, then a good one: the message names ten and counts the rest.
  std::vector<std::string> faulty = {"A catalogue with faulty records"};
  for (int k = 0; k < 12; ++k)
    faulty.insert(faulty.end(), {"# EPSG:9999", "Broken", "9999,, 0, 0, 1, 1, Nowhere",
                                 "GRS 1980, 6378.137,,298.257222101,",
                                 "3,0,0, 46,30,0, 700,6600, 1, NOPE, 49,0,0, 44,0,0"});
  faulty.insert(faulty.end(), good.begin(), good.end());
  faulty.push_back("#-");
  struct Case {
    const char* what;
    std::vector<std::string> catalogue;  // none: no file
    std::string message;                 // what the first Find's message starts with
    std::string names;                   // the file as the message names it
    int rows;                            // in the dialog; -1: it does not open
  };
  const std::vector<Case> cases = {
      {"missing",
       {},
       "Velqora cannot find a grid, because it could not read its catalogue of EPSG grids:\n",
       "/share/velqora/epsg-grids.txt: the file does not exist\n",
       -1},
      {"faulty", faulty,
       "12 records of the catalogue of EPSG grids could not be read and are left out; the other 1 grid can be "
       "found:\nepsg-grids.txt:6: unknown projection key: NOPE\nepsg-grids.txt:11: ",
       "\nepsg-grids.txt:51: unknown projection key: NOPE\nand 2 more", 1},
  };
  for (const Case& c : cases) {
    testing::ScratchDir dir;
    for (const char* list : {"prj-list.txt", "gridlist.txt", "earth-sz.txt"})
      std::filesystem::copy_file(testing::bundledData() + "/" + list, dir.path() / list);
    if (!c.catalogue.empty()) dir.write("epsg-grids.txt", c.catalogue);
    testing::WorkingDirectory here(dir.path());
    testing::resetGlobals();
    MainWindow window;
    std::vector<std::string> messages;
    window.setMessageSink([&messages](const std::string& m) { messages.push_back(m); });
    ASSERT_FALSE(startUp(window.form()).has_value());
    window.show();

    int rows = -1;
    const auto find = [&] {
      return withFindDialog([&] { window.action(MenuCommand::FindGrid)->trigger(); },
                            [&](FindDialog& d) {
                              rows = d.list()->model()->rowCount();
                              QTest::keyClick(d.searchField(), Qt::Key_Escape);  // cancels
                            });
    };
    const bool opens = c.rows >= 0;
    EXPECT_EQ(find(), opens) << c.what;
    EXPECT_EQ(rows, c.rows) << c.what;
    ASSERT_EQ(messages.size(), 1u) << c.what;
    EXPECT_EQ(messages[0].substr(0, c.message.size()), c.message) << c.what << ": " << messages[0];
    EXPECT_NE(messages[0].find(c.names), std::string::npos) << c.what << ": " << messages[0];
    // Told once: a second Find opens the catalogue read before, or tries again.
    EXPECT_EQ(find(), opens) << c.what;
    EXPECT_EQ(messages.size(), opens ? 1u : 2u) << c.what;

    // The window goes on, its title as it was.
    pickAsUser(*window.list(COMBO1), 1);
    EXPECT_EQ(window.form().text(EDIT1), "6378.137") << c.what;
    EXPECT_EQ(window.windowTitle(), "Velqora") << c.what;
    testing::resetGlobals();
  }
}

TEST(QtFindGrid, TheInstalledCatalogueBesideTheProgramOrInItsShareFolder) {
  struct Case {
    const char* folder;
    bool onWindows;
    const char* file;
  };
  for (const Case& c : {Case{"/usr/bin", false, "/usr/share/velqora/epsg-grids.txt"},
                        Case{"/home/me/.local/bin", false, "/home/me/.local/share/velqora/epsg-grids.txt"},
                        Case{"C:\\Tools\\Velqora", true, "C:\\Tools\\Velqora\\epsg-grids.txt"}})
    EXPECT_EQ(installedCatalogueFile(c.folder, c.onWindows), c.file) << c.folder;
}

}  // namespace
}  // namespace velqora
