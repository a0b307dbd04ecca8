#pragma once

// Where velqora-convert reads its lists when --data is not given.

#include <string>

namespace velqora::convert {

// The current folder when it holds the projection list; else the installed lists (on
// Linux the install's share/velqora, found from the program's own place so that any
// install prefix works; on Windows the program's folder) when they are there; else the
// current folder, whose missing list is then reported.
[[nodiscard]] std::string defaultDataFolder();

// The folder of the installed lists (and the EPSG catalogue), or "" when the program's
// own place is not known.
[[nodiscard]] std::string installedDataFolder();

}  // namespace velqora::convert
