// File > Convert a file… in the Qt window: Ctrl+O reads the fields first and refuses
// before any dialog; the choices dialog proposes the output beside the input; Convert
// runs under the progress dialog, whose Cancel stops the run; the summary box ends it.
// The converted bytes themselves are checked through the replay tool (tests/e2e).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "qt/convert_dialog.h"
#include "qt/convert_progress.h"
#include "qt/user_input.h"
#include "tests/qt/window_fixture.h"
#include "window/convert_file.h"

namespace velqora {
namespace {

using testing::ScratchDir;
using testing::WindowOnBundledData;

std::string contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

void pickUtmZone54(WindowOnBundledData& w) {
  pickAsUser(w.list(COMBO1), 2);
  pickAsUser(w.list(COMBO3), 2);
  pickAsUser(w.list(COMBO2), 23);
}

TEST(QtConvertFile, CtrlOReadsTheFieldsThenConvertsThroughTheDialogs) {
  WindowOnBundledData w;
  w.start();
  w.window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));  // for the shortcut
  const ScratchDir dir;
  const std::string input = (dir.path() / "points.csv").string();
  std::ofstream(input, std::ios::binary) << "139.75,35.6875\n";

  // Each modal dialog as it comes up: the choices (the input typed, Enter converts), then
  // the summary box.
  bool choicesOpened = false;
  QString proposedOutput;
  QString summary;
  QTimer user;
  QObject::connect(&user, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* dialog = dynamic_cast<ConvertDialog*>(modal)) {
      choicesOpened = true;
      QTest::keyClicks(dialog->inputField(), QString::fromStdString(input));
      proposedOutput = dialog->outputField()->text();
      dialog->derivedBox()->setChecked(true);
      QTest::keyClick(dialog->inputField(), Qt::Key_Return);
    } else if (auto* box = dynamic_cast<QMessageBox*>(modal)) {
      summary = box->text();
      box->accept();
    }
  });
  user.start(10);

  // No ellipsoid yet: the window's message, and no dialog.
  QTest::keyClick(w.window.field(EDIT20), Qt::Key_O, Qt::ControlModifier);
  EXPECT_FALSE(choicesOpened);
  EXPECT_EQ(w.messages, std::vector<std::string>{"Please set a Radius."});

  pickUtmZone54(w);
  QTest::keyClick(w.window.field(EDIT20), Qt::Key_O, Qt::ControlModifier);
  user.stop();
  EXPECT_TRUE(choicesOpened);
  const std::string output = (dir.path() / "points-converted.csv").string();
  EXPECT_EQ(proposedOutput.toStdString(), output);
  EXPECT_EQ(summary.toStdString(), "1 line converted, 0 not converted.\nWritten to " + output + ".");
  EXPECT_EQ(contents(output),
            "139.75,35.6875,+386.89479026,+3950.0083526,+0.7293069943,+0.0127294958,0.99975788212,30.81287577\n");
}

TEST(QtConvertFile, CancelInTheProgressDialogStopsTheRunAndWritesNothing) {
  WindowOnBundledData w;
  w.start();
  pickUtmZone54(w);
  const ScratchDir dir;
  const std::string input = (dir.path() / "points.txt").string();
  const std::string output = (dir.path() / "out.txt").string();
  std::ofstream(input, std::ios::binary) << "139.75 35.6875\n";
  const auto grid = fileConversionGrid(w.window.form());
  ASSERT_TRUE(grid);

  // Cancel pressed before the worker starts: the run stops at its first progress report.
  FileConversionRun run(*grid, {input, output, FileDirection::decimal, false});
  ConvertProgressDialog dialog(run, &w.window);
  std::jthread worker;
  QTimer::singleShot(0, [&] {
    dialog.cancelButton()->click();
    EXPECT_FALSE(dialog.cancelButton()->isEnabled());
    EXPECT_TRUE(dialog.isVisible());  // until the run has stopped
    worker = std::jthread([&run] { run.work(); });
  });
  dialog.exec();
  worker.join();
  EXPECT_EQ(summaryLines(run.summary(), run.choices()),
            std::vector<std::string>{"The conversion was cancelled. Nothing was written to " + output + "."});
  EXPECT_FALSE(std::filesystem::exists(output));
}

}  // namespace
}  // namespace velqora
