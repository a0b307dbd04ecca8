// The value layer under the window: refusals carry their reason, and the window shows
// exactly the texts the value layer makes for its numbers.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "datafiles/grid_group.h"
#include "geodesy/ellipsoid_completion.h"
#include "geodesy/forward_conversion.h"
#include "geodesy/inverse_conversion.h"
#include "geodesy/number_text.h"
#include "window/conversion_steps.h"
#include "window/griddget.h"
#include "window/handlers.h"
#include "window/memory_form.h"

namespace velqora {
namespace {

using Texts = std::vector<std::pair<Field, std::string>>;
using Reason = std::optional<ConversionRefusal>;  // nullopt: converted

constexpr auto UNUSABLE = ConversionRefusal::unusableEllipsoid;
constexpr auto NO_PROJECTION_SELECTED = ConversionRefusal::noProjection;
constexpr auto INVALID_GRID = ConversionRefusal::invalidGrid;
constexpr auto OUTSIDE = ConversionRefusal::outsideArea;

const Ellipsoid GRS80 = [] {
  const auto e = completeEllipsoid({6378.137, 0, 298.257222101, 0});
  return e->ellipsoid;
}();

// A grid typed into the origin fields: longitude and latitude degrees, the parallels'
// degrees, shifts 500 and 200 km, scale 0.9999.
GridDefinition typedGrid(int code, const std::string& lat0, const std::string& p1 = "", const std::string& p2 = "") {
  GridFieldTexts t;
  t.longitudeDegrees = "10";
  t.latitudeDegrees = lat0;
  t.xShift = "500";
  t.yShift = "200";
  t.scaleFactor = "0.9999";
  t.firstParallelDegrees = p1;
  t.secondParallelDegrees = p2;
  const auto grid = gridFromTexts(t, code);
  EXPECT_TRUE(grid.ok());
  return grid.ok() ? *grid : GridDefinition{};
}

Reason reasonOf(const auto& outcome) { return outcome ? Reason{} : Reason{outcome.reason()}; }

// The grid of an ellipsoid and a definition; the tests below use only grids it makes.
Grid gridOf(const Ellipsoid& e, const GridDefinition& d) {
  const auto grid = Grid::make(e, d);
  EXPECT_TRUE(grid);
  return *grid;
}

// Why a conversion on the grid of an ellipsoid and a definition gives no answer: the
// grid's refusal when it is made, else the conversion's.
Reason refusalOf(const Ellipsoid& e, const GridDefinition& d, const auto& convert) {
  const auto grid = Grid::make(e, d);
  if (!grid) return grid.reason();
  return reasonOf(convert(*grid));
}

TEST(ValueLayer, RefusalsCarryTheirReason) {
  struct Case {
    const char* what;
    Ellipsoid ellipsoid;
    GridDefinition grid;
    double lon, lat;  // forward
    Reason forward;
    double X, Y;  // inverse
    Reason inverse;
  };
  const Ellipsoid noPolarRadius{6378.137, 0, 298.257222101, 12.2};
  const std::vector<Case> cases = {
      {"a plain Transverse Mercator point", GRS80, typedGrid(1, "36"), 11, 37, {}, 560, 330, {}},
      {"typed ellipsoid without b", noPolarRadius, typedGrid(1, "36"), 11, 37, UNUSABLE, 500, 200, UNUSABLE},
      {"no projection", GRS80, typedGrid(0, "36"), 11, 37, NO_PROJECTION_SELECTED, 500, 200, NO_PROJECTION_SELECTED},
      {"code beyond the list", GRS80, typedGrid(7, "36"), 11, 37, NO_PROJECTION_SELECTED, 500, 200,
       NO_PROJECTION_SELECTED},
      // Grids that no point can use.
      {"one-parallel Lambert on the equator", GRS80, typedGrid(4, "0"), 11, 5, INVALID_GRID, 500, 200, INVALID_GRID},
      {"one-parallel Lambert on the equator, -0", GRS80, typedGrid(4, "-0"), 11, 5, INVALID_GRID, 500, 200,
       INVALID_GRID},
      {"two-parallel Lambert, opposite parallels", GRS80, typedGrid(3, "10", "30", "-30"), 11, 5, INVALID_GRID, 500,
       200, INVALID_GRID},
      // A Transverse Mercator origin at the pole is a grid, whose first estimate of the
      // origin's own grid point lies at the pole.
      {"Transverse Mercator origin at the pole", GRS80, typedGrid(1, "90"), 11, 80, {}, 500, 200, OUTSIDE},
      {"two-parallel Lambert origin at the pole opposite its apex", GRS80, typedGrid(3, "-90", "40", "50"), 11, 45,
       INVALID_GRID, 500, 200, INVALID_GRID},
      {"oblique Mercator origin at the pole", GRS80, typedGrid(2, "-90"), 11, -80, INVALID_GRID, 500, 200,
       INVALID_GRID},
      {"stereographic origin at the pole", GRS80, typedGrid(6, "90"), 11, 80, INVALID_GRID, 500, 200, INVALID_GRID},
      // Grids that work, with points outside them.
      {"Transverse Mercator, point at the pole", GRS80, typedGrid(1, "36"), 11, 90, OUTSIDE, 500, 20000, OUTSIDE},
      {"oblique Mercator, 100 degrees away", GRS80, typedGrid(2, "0"), 110, 0, OUTSIDE, 500, 200, {}},
      {"two-parallel Lambert, equal parallels", GRS80, typedGrid(3, "40", "40", "40"), 11, 41, {}, 510, 300, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(refusalOf(c.ellipsoid, c.grid, [&](const Grid& g) { return convertToGrid(g, c.lon, c.lat); }), c.forward);
    EXPECT_EQ(
        refusalOf(c.ellipsoid, c.grid, [&](const Grid& g) { return convertToGridWithDerivedValues(g, c.lon, c.lat); }),
        c.forward);
    EXPECT_EQ(refusalOf(c.ellipsoid, c.grid, [&](const Grid& g) { return convertToGeographic(g, c.X, c.Y); }),
              c.inverse);
    EXPECT_EQ(refusalOf(c.ellipsoid, c.grid,
                        [&](const Grid& g) { return convertToGeographicWithDerivedValues(g, c.X, c.Y); }),
              c.inverse);
  }

  struct EllipsoidCase {
    Ellipsoid given;
    std::optional<EllipsoidRefusal> refusal;
  };
  const std::vector<EllipsoidCase> ellipsoids = {
      {{6378.137, 0, 298.257222101, 0}, {}},
      {{0, 6356.752314140356, 0, 12.2220714633}, {}},
      {{0, 0, 298.257222101, 12.2220714633}, EllipsoidRefusal::noRadius},
      {{6378.137, 0, 0, 0}, EllipsoidRefusal::radiusAlone},
      {{0, 6356.75, -1, 0}, EllipsoidRefusal::radiusAlone},
      {{6356.75, 6378.137, 0, 0}, EllipsoidRefusal::inconsistent},   // a < b
      {{6378.137, 6378.137, 0, 0}, EllipsoidRefusal::inconsistent},  // a sphere
  };
  for (const EllipsoidCase& c : ellipsoids) {
    const auto completed = completeEllipsoid(c.given);
    EXPECT_EQ(completed ? std::nullopt : std::optional{completed.reason()}, c.refusal) << c.given.a << " " << c.given.b;
  }
}

// A window on a seven-entry projection list with the given ellipsoid and grid texts.
MemoryForm window(int code, const Texts& texts) {
  MemoryForm form;
  for (int i = 0; i < 7; ++i) form.appendEntry(COMBO4, "projection " + std::to_string(i));
  form.selectPosition(COMBO4, code);
  for (const auto& [field, text] : texts) form.setText(field, text);
  return form;
}

void expectTexts(const MemoryForm& form, const Texts& expected) {
  for (const auto& [field, text] : expected) EXPECT_EQ(form.text(field), text) << "EDIT" << field;
}

// The ellipsoid a command takes from the four fields.
Outcome<Ellipsoid, EllipsoidRefusal> ellipsoidOfFields(const MemoryForm& form) {
  std::array<double, 4> values{};
  bool missing = false;
  for (std::size_t i = 0; i < 4; ++i) {
    const std::string text = form.text(static_cast<Field>(EDIT1 + i));
    missing = missing || text.empty();
    values[i] = Number(text);
  }
  return ellipsoidForConversion(ellipsoidOf(values), missing);
}

Texts derivedFields(const DerivedTexts& t) {
  return {{EDIT30, t.tangent},
          {EDIT24, t.angle},
          {EDIT27, t.angleParts.degrees},
          {EDIT28, t.angleParts.minutes},
          {EDIT29, t.angleParts.seconds},
          {EDIT31, t.scaleFactor},
          {EDIT32, t.arcSecondLength}};
}

TEST(ValueLayer, WindowShowsTheValueLayersTexts) {
  struct Case {
    int code;
    Texts texts;  // ellipsoid, origin and parallels; two ellipsoid values given
    const char* lon;
    const char* lat;
    const char* refusal;  // the window's message, nullptr when converted
  };
  const char* const INVALID = "The grid data are not valid for this projection.";
  const std::vector<Case> cases = {
      {1,
       {{EDIT1, "6378.137"},
        {EDIT3, "298.257223563"},
        {EDIT5, "141"},
        {EDIT6, "0"},
        {EDIT11, "500"},
        {EDIT13, "0.9996"}},
       "142.5",
       "40",
       nullptr},
      {2,
       {{EDIT1, "6377.397155"},
        {EDIT3, "299.1528128"},
        {EDIT5, "7"},
        {EDIT7, "26"},
        {EDIT9, "22.5"},
        {EDIT6, "46"},
        {EDIT8, "57"},
        {EDIT10, "8.66"},
        {EDIT11, "600"},
        {EDIT12, "200"},
        {EDIT13, "1"}},
       "8.1",
       "47.2",
       nullptr},
      {3,
       {{EDIT1, "6378.137"},
        {EDIT3, "298.257222101"},
        {EDIT5, "-98"},
        {EDIT7, "30"},
        {EDIT6, "31"},
        {EDIT8, "40"},
        {EDIT11, "600"},
        {EDIT12, "2000"},
        {EDIT33, "33"},
        {EDIT35, "32"},
        {EDIT34, "35"}},
       "-97",
       "33",
       nullptr},
      {4,
       {{EDIT1, "6378.2064"}, {EDIT2, "6356.5838"}, {EDIT5, "-77"}, {EDIT6, "18"}, {EDIT11, "250"}, {EDIT12, "150"}},
       "-77.5",
       "18.2",
       nullptr},
      {5,
       {{EDIT2, "6356.078963"},
        {EDIT3, "299.1528128"},
        {EDIT5, "13"},
        {EDIT7, "37"},
        {EDIT9, "37.2"},
        {EDIT6, "52"},
        {EDIT8, "25"},
        {EDIT10, "7.1"},
        {EDIT11, "40"},
        {EDIT12, "10"}},
       "13.5",
       "52.5",
       nullptr},
      {6,
       {{EDIT1, "6378.245"},
        {EDIT4, "12.2303"},
        {EDIT5, "25"},
        {EDIT6, "46"},
        {EDIT11, "500"},
        {EDIT12, "500"},
        {EDIT13, "0.99975"}},
       "26",
       "47",
       nullptr},
      // The three grids that no point can use: the message, and the fields emptied.
      {4, {{EDIT1, "6378.137"}, {EDIT3, "298.257222101"}, {EDIT5, "10"}, {EDIT6, "0"}}, "11", "5", INVALID},
      {3,
       {{EDIT1, "6378.137"}, {EDIT3, "298.257222101"}, {EDIT5, "10"}, {EDIT6, "10"}, {EDIT33, "30"}, {EDIT34, "-30"}},
       "11",
       "5",
       INVALID},
      {2, {{EDIT1, "6378.137"}, {EDIT3, "298.257222101"}, {EDIT5, "10"}, {EDIT6, "90"}}, "11", "80", INVALID},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "code " << c.code << " at " << c.lon << ", " << c.lat);
    MemoryForm form = window(c.code, c.texts);
    for (Field f : FORWARD_RESULTS) form.setText(f, "earlier");
    form.setText(EDIT20, c.lon);
    form.setText(EDIT21, c.lat);
    const GridDefinition grid = *gridFromTexts(gridFieldTexts(form), c.code);
    const auto ellipsoid = ellipsoidOfFields(form);
    ASSERT_TRUE(ellipsoid.ok());
    BUTTON2_ON(form);

    if (c.refusal != nullptr) {
      EXPECT_EQ(form.messages, std::vector<std::string>{c.refusal});
      for (Field f : FORWARD_RESULTS) EXPECT_EQ(form.text(f), "") << "EDIT" << f;
      const Reason reason =
          refusalOf(*ellipsoid, grid, [&](const Grid& g) { return convertToGrid(g, Number(c.lon), Number(c.lat)); });
      ASSERT_TRUE(reason);
      EXPECT_EQ(refusalMessage(*reason), std::string(c.refusal));
      form.messages.clear();
      BUTTON4_ON(form);  // X and Y are empty now: two requests for a point, then the refusal
      EXPECT_EQ(form.messages.back(), c.refusal);
      for (Field f : INVERSE_RESULTS) EXPECT_EQ(form.text(f), "") << "EDIT" << f;
      continue;
    }
    ASSERT_EQ(form.messages, std::vector<std::string>{});
    const auto forward = convertToGridWithDerivedValues(gridOf(*ellipsoid, grid), Number(c.lon), Number(c.lat));
    ASSERT_TRUE(forward.ok());
    const ForwardTexts f = forwardTexts(*forward);
    expectTexts(form, {{EDIT22, f.point.x}, {EDIT23, f.point.y}, {EDIT25, ""}, {EDIT26, ""}});
    expectTexts(form, derivedFields(f.derived));

    // Back from the texts shown. The completed ellipsoid now stands in the fields as
    // cut texts, which this command reads back.
    const auto cutEllipsoid = ellipsoidOfFields(form);
    ASSERT_TRUE(cutEllipsoid.ok());
    BUTTON4_ON(form);
    ASSERT_EQ(form.messages, std::vector<std::string>{});
    const auto inverse = convertToGeographicWithDerivedValues(gridOf(*cutEllipsoid, grid), Number(form.text(EDIT22)),
                                                              Number(form.text(EDIT23)));
    ASSERT_TRUE(inverse.ok());
    const InverseTexts b = inverseTexts(*inverse);
    expectTexts(form, {{EDIT20, b.point.longitude},
                       {EDIT21, b.point.latitude},
                       {EDIT14, b.point.longitudeParts.degrees},
                       {EDIT16, b.point.longitudeParts.minutes},
                       {EDIT18, b.point.longitudeParts.seconds},
                       {EDIT15, b.point.latitudeParts.degrees},
                       {EDIT17, b.point.latitudeParts.minutes},
                       {EDIT19, b.point.latitudeParts.seconds},
                       {EDIT25, b.residuals.x},
                       {EDIT26, b.residuals.y}});
    expectTexts(form, derivedFields(b.derived));
    EXPECT_LT(inverse->point.iterations, 20);
  }
}

}  // namespace
}  // namespace velqora
