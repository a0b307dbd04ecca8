#pragma once

// A plain reading of the bundled lists, enough for the end-to-end tests to find the
// list positions of an ellipsoid, a grid system and a grid group (the program's own
// reader is what the tests check, so they do not use it).

#include <string>
#include <vector>

namespace velqora::e2e {

// One record: its "#" line (without the "#") and the lines that follow it.
struct Record {
  std::string head;
  std::vector<std::string> lines;
};

// The records of a list file in order, up to its "#-" line.
std::vector<Record> readRecords(const std::string& path);

}  // namespace velqora::e2e
