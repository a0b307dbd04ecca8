#pragma once

// The EPSG catalogue from the command line: --epsg CODE picks a grid and its ellipsoid
// as the window's Find does, --find WORDS lists what Find would show.

#include <string>

#include "datafiles/epsg_catalogue.h"

namespace velqora::convert {

// The catalogue file: the one in the data folder, else the installed one beside the
// installed lists, else the data folder's (whose absence is then reported).
[[nodiscard]] std::string catalogueFileFor(const std::string& dataFolder);

// The catalogue's entry of an EPSG code. Throws UsageError that tells an unknown code
// from one the six projections do not draw (and why, from the not-drawn list beside
// the catalogue).
[[nodiscard]] CatalogueEntry catalogueEntryOfCode(const std::string& catalogueFile, const std::string& code);

// The entries that every word of the query matches, best first, a line each: code,
// name, area of use, and the series error where the record carries one. Empty when none.
[[nodiscard]] std::string catalogueListing(const std::string& catalogueFile, const std::string& query);

}  // namespace velqora::convert
