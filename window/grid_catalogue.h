#pragma once

#include <optional>
#include <string>
#include <vector>

#include "datafiles/catalogue_search.h"
#include "datafiles/epsg_catalogue.h"

namespace velqora {

class Form;

// Where the installed catalogue lies for a program in that folder (UTF-8): on Windows
// beside velqora.exe, elsewhere in the installation's share/velqora
// (…/bin/velqora -> …/share/velqora/epsg-grids.txt).
[[nodiscard]] std::string installedCatalogueFile(const std::string& programFolder, bool onWindows);

// The EPSG catalogue as "Find a grid" uses it. It is read on the first Find rather than
// at start-up, which stays as quick as without it: from "epsg-grids.txt" in the folder
// Velqora starts in, where the user's lists are, when it is there, else from the
// installed copy.
class GridCatalogue {
 public:
  explicit GridCatalogue(std::string installedFile) : installedFile_(std::move(installedFile)) {}

  // Reads the catalogue unless it has been read. The user is told in the "ALERT" box of
  // a catalogue that cannot be read (false; the next call tries again) and, once, of the
  // faulty records left out (the rest serves).
  bool open(Form& form);

  [[nodiscard]] bool isOpen() const { return search_.has_value(); }
  [[nodiscard]] const std::vector<CatalogueEntry>& entries() const { return entries_; }
  [[nodiscard]] const CatalogueSearch& search() const { return *search_; }

 private:
  std::string installedFile_;
  std::vector<CatalogueEntry> entries_;
  std::optional<CatalogueSearch> search_;
};

// How many faulty records the message names before it only counts the rest.
inline constexpr std::size_t FAULTY_RECORDS_NAMED = 10;

}  // namespace velqora
