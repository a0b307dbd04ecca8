#pragma once

// The conversion a command line chooses, set up as the window would have it: the lists
// loaded from the current folder, an ellipsoid and a grid group picked (or their values
// typed), the point converted by the core and shown as the window's texts.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "converter/point_conversion.h"
#include "datafiles/epsg_catalogue.h"

namespace velqora::convert {

// A command line that cannot be carried out; what() says why.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Choices {
  // A grid of the EPSG catalogue with its ellipsoid, as the window's Find picks it; the
  // grid's texts may be typed over as below.
  std::optional<CatalogueEntry> catalogueEntry;
  // Ellipsoid: picked by name or position, or the four field texts "A,B,F,E".
  std::optional<std::string> ellipsoid;
  std::optional<std::string> ellipsoidValues;
  // Grid: a grid system and one of its grid groups, and/or typed field texts (over a
  // picked grid group's). Angles as "D,M,S", parts that are left out empty.
  std::optional<std::string> gridSystem;
  std::optional<std::string> gridGroup;
  std::optional<std::string> projection;  // key or position in the projection list
  std::optional<std::string> originLongitude;
  std::optional<std::string> originLatitude;
  std::optional<std::string> xShift;
  std::optional<std::string> yShift;
  std::optional<std::string> scaleFactor;
  std::optional<std::string> parallel1;
  std::optional<std::string> parallel2;
  bool inverse = false;
  bool sexagesimal = false;
  bool derived = false;
  std::optional<double> toleranceMetres;  // grid to geographic only
};

// The entries the window's lists would show (the tables hold the texts).
struct Lists {
  std::string folder;  // as the user named it, for reports
  std::vector<std::string> projections;
  int gridSystems = 0;
  int ellipsoids = 0;
};

// Loads the projection, grid-system and ellipsoid lists from the current working
// directory. Throws UsageError with the report, the file named inside `folder`
// ("data/gridlist.txt, line 12: ...").
[[nodiscard]] Lists loadLists(const std::string& folder);

// The lists with their positions, for --list; with a grid system chosen, its grid groups.
[[nodiscard]] std::string listing(const Lists& lists, const Choices& choices);

// The conversion the choices make. Throws UsageError when the window would refuse them
// (with its message) or a choice names nothing in the lists.
[[nodiscard]] PointConversion makeConversion(const Lists& lists, const Choices& choices);

}  // namespace velqora::convert
