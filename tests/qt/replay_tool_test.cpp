#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include "tests/qt/window_fixture.h"

namespace velqora {
namespace {

struct ReplayRun {
  int status = -1;
  QStringList lines;  // standard output
};

ReplayRun replay(const std::string& folder, const QByteArray& script) {
  QProcess process;
  process.setProcessChannelMode(QProcess::SeparateChannels);
  process.start(VELQORA_REPLAY, {QString::fromStdString(folder)});
  if (!process.waitForStarted(10000)) return {};
  process.write(script);
  process.closeWriteChannel();
  if (!process.waitForFinished(30000)) return {};
  ReplayRun run;
  run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
  if (!run.lines.isEmpty() && run.lines.back().isEmpty()) run.lines.removeLast();
  return run;
}

// The lines that `show` prints for one control.
QString shown(const ReplayRun& run, const QString& name, int nth = 0) {
  for (const QString& line : run.lines)
    if (line.startsWith(name + ' ') && nth-- == 0) return line.mid(name.size() + 1);
  return "<absent>";
}

TEST(QtReplay, ShowPrintsMessagesFieldsAndListsInOrder) {
  const ReplayRun run = replay(testing::bundledData(),
                         "# start-up state\n"
                         "\n"
                         "show\r\n"
                         "press BUTTON1\n"
                         "press BUTTON1\n"
                         "   \n"
                         "show\n"
                         "show\n");
  ASSERT_EQ(run.status, 0);
  ASSERT_EQ(run.lines.size(), 3 * 42 + 2);
  // Every line is one of the forms of the format, nothing else.
  const QRegularExpression form(R"(^(ALERT .*|EDIT([1-9]|[12][0-9]|3[0-8]) .*|COMBO[1-4] -?\d+ \d+)$)");
  for (const QString& line : run.lines) EXPECT_TRUE(form.match(line).hasMatch()) << line.toStdString();
  for (int f = 1; f <= FIELD_COUNT; ++f)
    EXPECT_EQ(run.lines[f - 1], QString("EDIT%1 %2").arg(f).arg(QString::fromStdString(initialText(Field(f)))));
  EXPECT_EQ(run.lines[38], "COMBO1 0 16");
  EXPECT_EQ(run.lines[39].left(9), "COMBO2 0 ");
  EXPECT_EQ(run.lines[41], "COMBO4 0 7");
  // Two messages at the second show, none repeated at the third.
  EXPECT_EQ(run.lines[42], "ALERT Please set a Radius.");
  EXPECT_EQ(run.lines[43], "ALERT Please set a Radius.");
  EXPECT_EQ(run.lines[44], "EDIT1 ");
  EXPECT_EQ(run.lines[86], "EDIT1 ");
}

TEST(QtReplay, TypeTakesEverythingAfterTheNameWithTheLimits) {
  const ReplayRun run = replay(testing::bundledData(),
                         "type EDIT5  -35 \n"
                         "type EDIT14 123456\n"
                         "type EDIT16 59x\n"
                         "type EDIT1 6378.1370000000000001\n"
                         "type EDIT7\n"
                         "type EDIT9 \n"
                         "pick COMBO1 2\n"
                         "pick COMBO3 1\n"
                         "pick COMBO2 0\n"
                         "show\n");
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(shown(run, "EDIT5"), "-177");  // the grid group's origin wrote over it
  EXPECT_EQ(shown(run, "EDIT14"), "1234");
  EXPECT_EQ(shown(run, "EDIT16"), "59");
  EXPECT_EQ(shown(run, "EDIT1"), "6378.137");  // the ellipsoid wrote over the 15 typed
  EXPECT_EQ(shown(run, "COMBO1"), "2 16");
  EXPECT_EQ(shown(run, "COMBO2"), "0 30");
  EXPECT_EQ(shown(run, "COMBO4"), "1 7");

  const ReplayRun typed = replay(testing::bundledData(),
                           "type EDIT5  -35 \ntype EDIT7\ntype EDIT9 \ntype EDIT1 12345678901234567890\nshow\n");
  ASSERT_EQ(typed.status, 0);
  EXPECT_EQ(shown(typed, "EDIT5"), " -35 ");
  EXPECT_EQ(shown(typed, "EDIT7"), "");
  EXPECT_EQ(shown(typed, "EDIT9"), "");
  EXPECT_EQ(shown(typed, "EDIT1"), "123456789012345");
}

TEST(QtReplay, LinesItCannotCarryOutEndWithStatus2) {
  struct Case {
    QByteArray script;
    QString error;
  };
  const std::vector<Case> cases = {
      {"show\n# comment\n\npick COMBO1 16\n", "ERROR line 4: "},
      {"pick COMBO1 -1\n", "ERROR line 1: "},
      {"pick COMBO1 x\n", "ERROR line 1: "},
      {"pick COMBO1\n", "ERROR line 1: "},
      {"pick EDIT1 0\n", "ERROR line 1: "},
      {"type COMBO1 x\n", "ERROR line 1: "},
      {"type EDIT39 x\n", "ERROR line 1: "},
      {"type\n", "ERROR line 1: "},
      {"press EDIT1\n", "ERROR line 1: "},
      {"press BUTTON5\n", "ERROR line 1: "},
      {"\n\nclick BUTTON1\nshow\n", "ERROR line 3: "},
      {"show now\n", "ERROR line 1: "},
  };
  for (const Case& c : cases) {
    const ReplayRun run = replay(testing::bundledData(), c.script);
    EXPECT_EQ(run.status, 2) << c.script.toStdString();
    ASSERT_FALSE(run.lines.isEmpty()) << c.script.toStdString();
    EXPECT_TRUE(run.lines.back().startsWith(c.error)) << run.lines.back().toStdString();
    EXPECT_GT(run.lines.back().size(), c.error.size());  // says why
  }
}

TEST(QtReplay, AFatalStartUpErrorEndsWithStatus1) {
  testing::ScratchDir dir;
  std::filesystem::copy_file(testing::bundledData() + "/prj-list.txt", dir.path() / "prj-list.txt");
  const ReplayRun run = replay(dir.path().string(), "show\n");
  EXPECT_EQ(run.status, 1);
  ASSERT_EQ(run.lines.size(), 1);
  // The whole start-up message on one line: both missing files, the folder, the remedy.
  const QString& line = run.lines[0];
  EXPECT_TRUE(line.startsWith("FATAL Velqora cannot start")) << line.toStdString();
  for (const std::string& part :
       {std::string("gridlist.txt: the file does not exist"), std::string("earth-sz.txt: the file does not exist"),
        std::filesystem::canonical(dir.path()).string(), std::string("start Velqora in")})
    EXPECT_TRUE(line.contains(QString::fromStdString(part))) << part << " in " << line.toStdString();
}

}  // namespace
}  // namespace velqora
