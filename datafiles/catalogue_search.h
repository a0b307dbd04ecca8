#pragma once

// Finding grids in the EPSG catalogue as the user types: every word of the query must
// match the entry's code, name or area of use (case and accents aside), and the best
// matches come first.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/epsg_catalogue.h"

namespace velqora {

// A text folded for matching: ASCII letters in lower case, the accented Latin letters
// of UTF-8 as their plain letter ("Réseau" as "reseau", "Krüger" as "kruger").
[[nodiscard]] std::string foldForSearch(std::string_view text);

class CatalogueSearch {
 public:
  explicit CatalogueSearch(const std::vector<CatalogueEntry>& entries);

  // Positions (in the entries given) of those that every word of the query matches,
  // best first: a word that is the code, or a whole word of the name, counts most; a
  // word's start, a match inside a word, and the area count less. Equal matches are
  // in code order. A query without words finds every entry, in catalogue order.
  [[nodiscard]] std::vector<std::size_t> find(std::string_view query) const;

 private:
  struct Searchable {
    std::string code;  // digits
    std::string name;  // folded
    std::string area;  // folded
    int epsgCode = 0;
  };
  std::vector<Searchable> texts_;
};

}  // namespace velqora
