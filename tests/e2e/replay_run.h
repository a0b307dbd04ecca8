#pragma once

// Runs the replay tool on a script and reads back what its `show` lines printed.

#include <array>
#include <string>
#include <vector>

namespace velqora::e2e {

// One `show`: the messages since the previous one, the 38 field texts, the 4 lists.
struct Screen {
  std::vector<std::string> alerts;
  std::array<std::string, 39> edit;  // edit[1] to edit[38]
  struct ListState {
    int selected = -2;
    int count = -1;
  };
  std::array<ListState, 5> combo;  // combo[1] to combo[4]

  [[nodiscard]] double number(int field) const;  // the field's text read as a number
};

struct ReplayRun {
  int status = -1;     // exit status; -1 when the tool could not run or was killed
  std::string output;  // standard output, byte for byte
  std::vector<Screen> screens;
  std::string unparsed;  // the first output line that is not part of a screen, if any
};

// Starts the replay tool in `folder` with `script` on its standard input.
ReplayRun replay(const std::string& folder, const std::string& script);

std::string replayTool();
std::string bundledData();

}  // namespace velqora::e2e
