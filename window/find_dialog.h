#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/epsg_catalogue.h"
#include "window/layout.h"

namespace velqora {

class GridCatalogue;

// "Find a grid", the modal dialog of Grid > Find a grid…, toolkit-free: its texts, its
// layout and what it shows. The user types words into the search field; every word
// filters the catalogue, best matches first; Up and Down move the highlight in the list
// from the field, Enter or a double-click picks the highlighted grid, Escape cancels.
inline constexpr std::string_view FIND_DIALOG_TITLE = "Find a grid";
inline constexpr std::string_view FIND_PROMPT = "Words of the grid's name or area of use, or its EPSG code:";
inline constexpr std::string_view FIND_OK = "OK";
inline constexpr std::string_view FIND_CANCEL = "Cancel";

enum class FindColumn { Code, Name, Area };
inline constexpr std::array<FindColumn, 3> FIND_COLUMNS = {FindColumn::Code, FindColumn::Name, FindColumn::Area};
[[nodiscard]] std::string_view columnTitle(FindColumn column);

// The dialog's controls in layout units (window/layout.h), in the client area of the
// dialog and in their focus order; the list's last column takes the rest of its width.
struct FindDialogLayout {
  UnitBox prompt{9, 9, 582, 17};
  UnitBox search{9, 29, 582, 23};
  UnitBox list{9, 58, 582, 250};
  UnitBox seriesError{9, 314, 582, 17};
  UnitBox ok{405, 345, 90, 26};
  UnitBox cancel{501, 345, 90, 26};
  int codeColumnWidth = 80;
  int nameColumnWidth = 250;
  int width = 600;
  int height = 380;
};
inline constexpr FindDialogLayout FIND_LAYOUT{};

// What the list shows: the catalogue's grids that the search field's words match, best
// first (the whole catalogue, in its order, for an empty field).
class GridFinder {
 public:
  explicit GridFinder(const GridCatalogue& catalogue);

  // The search field's text changed.
  void setQuery(std::string_view query);

  [[nodiscard]] std::size_t rowCount() const { return rows_.size(); }
  [[nodiscard]] const CatalogueEntry& entry(std::size_t row) const;
  [[nodiscard]] std::string text(std::size_t row, FindColumn column) const;
  // The line under the list for the highlighted row: its series error, or empty.
  [[nodiscard]] std::string seriesErrorLine(std::size_t row) const;
  // The row that shows the grid of that EPSG code, if any.
  [[nodiscard]] std::optional<std::size_t> rowOfCode(int code) const;

 private:
  const GridCatalogue& catalogue_;
  std::vector<std::size_t> rows_;  // positions in the catalogue
};

// "series error up to 12 mm at the edge of its area" for a grid whose series
// projection departs from the exact one by more than 1 cm over its area of use; empty
// for the others. The figure is the nearest millimetre.
[[nodiscard]] std::string seriesErrorText(const CatalogueEntry& entry);

}  // namespace velqora
