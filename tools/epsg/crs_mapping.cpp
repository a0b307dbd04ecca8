#include "tools/epsg/crs_mapping.h"

#include <map>
#include <optional>
#include <set>

#include "tools/epsg/exact_number.h"
#include "tools/epsg/pj.h"
#include "tools/epsg/units.h"

namespace velqora::epsg {

namespace {

// EPSG parameter codes.
constexpr int LATITUDE_OF_NATURAL_ORIGIN = 8801;
constexpr int LONGITUDE_OF_NATURAL_ORIGIN = 8802;
constexpr int SCALE_FACTOR_AT_NATURAL_ORIGIN = 8805;
constexpr int FALSE_EASTING = 8806;
constexpr int FALSE_NORTHING = 8807;
constexpr int LATITUDE_OF_PROJECTION_CENTRE = 8811;
constexpr int LONGITUDE_OF_PROJECTION_CENTRE = 8812;
constexpr int AZIMUTH_OF_INITIAL_LINE = 8813;
constexpr int ANGLE_FROM_RECTIFIED_TO_SKEW_GRID = 8814;
constexpr int SCALE_FACTOR_ON_INITIAL_LINE = 8815;
constexpr int EASTING_AT_PROJECTION_CENTRE = 8816;
constexpr int NORTHING_AT_PROJECTION_CENTRE = 8817;
constexpr int LATITUDE_OF_FALSE_ORIGIN = 8821;
constexpr int LONGITUDE_OF_FALSE_ORIGIN = 8822;
constexpr int LATITUDE_OF_FIRST_PARALLEL = 8823;
constexpr int LATITUDE_OF_SECOND_PARALLEL = 8824;
constexpr int EASTING_AT_FALSE_ORIGIN = 8826;
constexpr int NORTHING_AT_FALSE_ORIGIN = 8827;

// The EPSG method each projection code draws exactly. The oblique Mercator, whose
// central line runs east-west at the origin, is Hotine's variant B with the initial
// line at azimuth 90 degrees and the grid turned back by 90 degrees (the Swiss
// and Hungarian grids); its scale factor and centre shifts are the grid's.
constexpr int TRANSVERSE_MERCATOR_METHOD = 9807;
constexpr int HOTINE_VARIANT_B_METHOD = 9815;
constexpr int LAMBERT_2SP_METHOD = 9802;
constexpr int LAMBERT_1SP_METHOD = 9801;
constexpr int CASSINI_SOLDNER_METHOD = 9806;
constexpr int OBLIQUE_STEREOGRAPHIC_METHOD = 9809;

int projectionOfMethod(int method) {
  switch (method) {
    case TRANSVERSE_MERCATOR_METHOD:
      return TRANSVERSE_MERCATOR;
    case HOTINE_VARIANT_B_METHOD:
      return OBLIQUE_MERCATOR;
    case LAMBERT_2SP_METHOD:
      return LAMBERT_TWO_PARALLELS;
    case LAMBERT_1SP_METHOD:
      return LAMBERT_ONE_PARALLEL;
    case CASSINI_SOLDNER_METHOD:
      return CASSINI_SOLDNER;
    case OBLIQUE_STEREOGRAPHIC_METHOD:
      return OBLIQUE_STEREOGRAPHIC;
    default:
      return NO_PROJECTION;
  }
}

// The EPSG parameters a projection's grid is read from; a scale factor of 0 stands for
// a method without one (Cassini-Soldner, the two-parallel Lambert), whose grids take 1.
struct ParameterSet {
  int latitude = LATITUDE_OF_NATURAL_ORIGIN;
  int longitude = LONGITUDE_OF_NATURAL_ORIGIN;
  int easting = FALSE_EASTING;
  int northing = FALSE_NORTHING;
  int scale = SCALE_FACTOR_AT_NATURAL_ORIGIN;
  int firstParallel = 0;  // two-parallel Lambert only
  int secondParallel = 0;
};

ParameterSet parametersOf(int projection) {
  switch (projection) {
    case LAMBERT_TWO_PARALLELS:
      return {
          LATITUDE_OF_FALSE_ORIGIN,   LONGITUDE_OF_FALSE_ORIGIN,  EASTING_AT_FALSE_ORIGIN, NORTHING_AT_FALSE_ORIGIN, 0,
          LATITUDE_OF_FIRST_PARALLEL, LATITUDE_OF_SECOND_PARALLEL};
    case OBLIQUE_MERCATOR:
      return {LATITUDE_OF_PROJECTION_CENTRE, LONGITUDE_OF_PROJECTION_CENTRE, EASTING_AT_PROJECTION_CENTRE,
              NORTHING_AT_PROJECTION_CENTRE, SCALE_FACTOR_ON_INITIAL_LINE};
    case CASSINI_SOLDNER:
      return {.scale = 0};
    default:
      return {};
  }
}

std::string text(const char* s) { return s == nullptr ? "" : s; }

// Thrown inside to skip a CRS, caught at the top.
struct Skipped {
  std::string reason;
};

class Parameters {
 public:
  explicit Parameters(const std::vector<std::pair<int, DatasetValue>>& values)
      : values_(values.begin(), values.end()) {}

  [[nodiscard]] const DatasetValue& operator[](int code) const {
    const auto it = values_.find(code);
    if (it == values_.end()) throw Skipped{"parameter EPSG:" + std::to_string(code) + " missing"};
    return it->second;
  }
  [[nodiscard]] mpq_class degrees(int code) const {
    const DatasetValue& v = (*this)[code];
    const auto d = degreesOf(v.value, v.uomCode);
    if (!d) throw Skipped{"angle unit EPSG:" + std::to_string(v.uomCode)};
    return *d;
  }
  [[nodiscard]] mpq_class kilometres(int code) const { return kilometresOf((*this)[code]); }

  static mpq_class kilometresOf(const DatasetValue& v) {
    const auto metres = metresPerUnit(v.uomCode);
    if (!metres) throw Skipped{"length unit EPSG:" + std::to_string(v.uomCode)};
    return datasetValue(v.value) * *metres / 1000;
  }

 private:
  std::map<int, DatasetValue> values_;
};

// The CRS's axes must be an easting and a northing, in either order.
void checkAxes(PJ_CONTEXT* context, PJ* crs) {
  const Pj cs(proj_crs_get_coordinate_system(context, crs));
  std::multiset<std::string> directions;
  for (int i = 0; i < proj_cs_get_axis_count(context, cs.get()); ++i) {
    const char* direction = nullptr;
    proj_cs_get_axis_info(context, cs.get(), i, nullptr, nullptr, &direction, nullptr, nullptr, nullptr, nullptr);
    directions.insert(text(direction));
  }
  if (directions != std::multiset<std::string>{"east", "north"}) {
    std::string list;
    for (const auto& d : directions) list += (list.empty() ? "" : ", ") + d;
    throw Skipped{"axes " + list};
  }
}

// A length's text: the double nearest to its exact value, written as short as reads back.
std::string lengthText(const mpq_class& kilometres) { return shortestText(nearestDouble(kilometres)); }

void fillEllipsoid(CatalogueEntry& entry, PJ_CONTEXT* context, PJ* crs, const ProjDatabase& db) {
  const Pj ellipsoid(proj_get_ellipsoid(context, crs));
  entry.ellipsoidName = text(proj_get_name(ellipsoid.get()));
  const auto e = db.ellipsoid(text(proj_get_id_code(ellipsoid.get(), 0)));
  if (!e) throw Skipped{"ellipsoid not in the dataset"};
  entry.ellipsoid[0] = lengthText(Parameters::kilometresOf(e->semiMajorAxis));
  if (e->inverseFlattening && *e->inverseFlattening > 1) {
    entry.ellipsoid[2] = shortestText(*e->inverseFlattening);
  } else if (e->semiMinorAxis && *e->semiMinorAxis < e->semiMajorAxis.value) {
    entry.ellipsoid[1] = lengthText(Parameters::kilometresOf({*e->semiMinorAxis, e->semiMajorAxis.uomCode}));
  } else {
    throw Skipped{"ellipsoid is a sphere"};
  }
}

// The longitude of the base CRS's prime meridian from Greenwich, in degrees.
mpq_class primeMeridianDegrees(PJ_CONTEXT* context, PJ* crs, const ProjDatabase& db) {
  const Pj base(proj_crs_get_geodetic_crs(context, crs));
  const Pj meridian(proj_get_prime_meridian(context, base.get()));
  const auto longitude = db.primeMeridian(text(proj_get_id_code(meridian.get(), 0)));
  if (!longitude) throw Skipped{"prime meridian not in the dataset"};
  const auto degrees = degreesOf(longitude->value, longitude->uomCode);
  if (!degrees) throw Skipped{"prime meridian unit EPSG:" + std::to_string(longitude->uomCode)};
  return *degrees;
}

void fillAngle(const mpq_class& degrees, std::string& d, std::string& m, std::string& s) {
  const auto texts = sexagesimalTexts(degrees);
  d = texts[0];
  m = texts[1];
  s = texts[2];
}

MappedCrs entryOf(PJ_CONTEXT* context, const ProjDatabase& db, const std::string& code) {
  const Pj crs(proj_create_from_database(context, "EPSG", code.c_str(), PJ_CATEGORY_CRS, 0, nullptr));
  if (!crs || proj_get_type(crs.get()) != PJ_TYPE_PROJECTED_CRS) throw Skipped{"not a projected CRS"};
  const Pj conversion(proj_crs_get_coordoperation(context, crs.get()));
  const char* methodName = nullptr;
  const char* methodCode = nullptr;
  proj_coordoperation_get_method_info(context, conversion.get(), &methodName, nullptr, &methodCode);
  const std::string method = "method " + text(methodName) + " (EPSG:" + text(methodCode) + ")";
  const int projection = projectionOfMethod(std::atoi(text(methodCode).c_str()));
  if (projection == NO_PROJECTION) throw Skipped{method};
  checkAxes(context, crs.get());

  const Parameters p(db.conversionParameters(text(proj_get_id_code(conversion.get(), 0))));
  if (projection == OBLIQUE_MERCATOR &&
      (p.degrees(AZIMUTH_OF_INITIAL_LINE) != 90 || p.degrees(ANGLE_FROM_RECTIFIED_TO_SKEW_GRID) != 90)) {
    throw Skipped{method + ", initial line not east-west"};
  }

  MappedCrs mapped;
  CatalogueEntry& entry = mapped.entry;
  ExactValues& exact = mapped.exact;
  entry.code = std::atoi(code.c_str());
  entry.name = text(proj_get_name(crs.get()));
  entry.projectionKey = std::string(STANDARD_PROJECTION_KEYS[static_cast<std::size_t>(projection)]);
  fillEllipsoid(entry, context, crs.get(), db);

  const ParameterSet set = parametersOf(projection);
  GridFieldTexts& t = entry.grid;
  // Longitudes count from Greenwich, whatever meridian the base CRS counts from.
  exact.longitude = p.degrees(set.longitude) + primeMeridianDegrees(context, crs.get(), db);
  if (exact.longitude > 180) exact.longitude -= 360;
  if (exact.longitude <= -180) exact.longitude += 360;
  exact.latitude = p.degrees(set.latitude);
  fillAngle(exact.longitude, t.longitudeDegrees, t.longitudeMinutes, t.longitudeSeconds);
  fillAngle(exact.latitude, t.latitudeDegrees, t.latitudeMinutes, t.latitudeSeconds);
  exact.xShift = p.kilometres(set.easting);
  exact.yShift = p.kilometres(set.northing);
  t.xShift = lengthText(exact.xShift);
  t.yShift = lengthText(exact.yShift);
  t.scaleFactor = "1";
  if (set.scale != 0) {
    const DatasetValue& k = p[set.scale];
    if (!plainRatio(k.uomCode)) throw Skipped{"scale unit EPSG:" + std::to_string(k.uomCode)};
    t.scaleFactor = shortestText(k.value);
  }
  if (set.firstParallel != 0) {
    exact.firstParallel = p.degrees(set.firstParallel);
    exact.secondParallel = p.degrees(set.secondParallel);
    fillAngle(exact.firstParallel, t.firstParallelDegrees, t.firstParallelMinutes, t.firstParallelSeconds);
    fillAngle(exact.secondParallel, t.secondParallelDegrees, t.secondParallelMinutes, t.secondParallelSeconds);
  }

  const char* area = nullptr;
  GeographicBounds& b = entry.bounds;
  if (!proj_get_area_of_use(context, crs.get(), &b.west, &b.south, &b.east, &b.north, &area)) {
    throw Skipped{"no area of use"};
  }
  entry.area = text(area);
  return mapped;
}

}  // namespace

std::array<std::string, 3> sexagesimalTexts(const mpq_class& degrees) {
  const mpq_class seconds = abs(degrees) * 3600;
  const mpq_class tolerance(1, 2000000000);  // 5e-10 arc-seconds
  int decimals = 0;
  while (abs(decimalValue(roundedText(seconds, decimals)) - seconds) > tolerance) ++decimals;
  const mpq_class rounded = decimalValue(roundedText(seconds, decimals));
  mpz_class whole;
  mpz_fdiv_q(whole.get_mpz_t(), rounded.get_num_mpz_t(), rounded.get_den_mpz_t());
  const mpz_class d = whole / 3600;
  const mpz_class m = (whole % 3600) / 60;
  const mpq_class s = rounded - mpq_class(d * 3600 + m * 60);
  const std::string sign = degrees < 0 && rounded != 0 ? "-" : "";
  return {sign + d.get_str(), m.get_str(), roundedText(s, decimals)};
}

std::variant<MappedCrs, Skip> catalogueEntryOf(PJ_CONTEXT* context, const ProjDatabase& db, const std::string& code) {
  try {
    return entryOf(context, db, code);
  } catch (const Skipped& skipped) {
    return Skip{skipped.reason};
  }
}

}  // namespace velqora::epsg
