#include "window/find_dialog.h"

#include <cmath>

#include "geodesy/display.h"
#include "window/grid_catalogue.h"

namespace velqora {

std::string_view columnTitle(FindColumn column) {
  switch (column) {
    case FindColumn::Code:
      return "EPSG code";
    case FindColumn::Name:
      return "Name";
    case FindColumn::Area:
      return "Area of use";
  }
  return {};
}

GridFinder::GridFinder(const GridCatalogue& catalogue) : catalogue_(catalogue) { setQuery({}); }

void GridFinder::setQuery(std::string_view query) { rows_ = catalogue_.search().find(query); }

const CatalogueEntry& GridFinder::entry(std::size_t row) const { return catalogue_.entries().at(rows_.at(row)); }

std::string GridFinder::text(std::size_t row, FindColumn column) const {
  const CatalogueEntry& e = entry(row);
  switch (column) {
    case FindColumn::Code:
      return std::to_string(e.code);
    case FindColumn::Name:
      return e.name;
    case FindColumn::Area:
      return e.area;
  }
  return {};
}

std::string GridFinder::seriesErrorLine(std::size_t row) const {
  return row < rows_.size() ? seriesErrorText(entry(row)) : std::string();
}

std::optional<std::size_t> GridFinder::rowOfCode(int code) const {
  for (std::size_t row = 0; row < rows_.size(); ++row)
    if (entry(row).code == code) return row;
  return std::nullopt;
}

std::string seriesErrorText(const CatalogueEntry& entry) {
  if (!entry.seriesError) return {};
  // Whole millimetres are exact in binary, so the cut text shows the catalogue's figure;
  // 0.012 m itself would show as 0.0119.
  const std::string millimetres = unsignedText(std::round(*entry.seriesError * 1000), MAX_DIGITS);
  if (millimetres.empty()) return {};
  return "series error up to " + millimetres + " mm at the edge of its area";
}

}  // namespace velqora
