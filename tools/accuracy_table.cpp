// Prints, as two Markdown tables, how closely each projection of the program
// agrees with an exact reference computed by PROJ: for the four origin-centred
// projections the largest difference over 24 azimuths at 10, 100 and 300 km
// (geodesic distance) from the origin; for the two series projections the
// largest difference over latitudes 0 to 80 degrees on both sides at 1, 2, 3, 5,
// 10 and 20 degrees of longitude from the central meridian, so that the growth of
// the series' error beyond the usual zone width shows. The program's raw
// coordinates are compared, without scale factor and shifts. A third table derives
// the series' limits: per latitude, the longitude difference out to which the series
// stays within 1 m of the exact projection, and the smallest of these over all
// latitudes, which the program's limits (TransverseMercator::SERIES_LIMIT_DEGREES,
// CassiniSoldner::SERIES_LIMIT_DEGREES) stay below.
//
// References: PROJ's tmerc (Poder/Engsager, exact to a few nm), somerc, lcc and
// sterea; for Cassini-Soldner the exact construction by geodesics (PROJ's geodesic
// routines): the geodesic through the point perpendicular to the central meridian
// gives X as its length and Y as the meridian arc to its foot.

#include <geodesic.h>
#include <proj.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "geodesy/cassini_soldner.h"
#include "geodesy/constants.h"
#include "geodesy/lambert_one_parallel.h"
#include "geodesy/lambert_two_parallels.h"
#include "geodesy/oblique_mercator.h"
#include "geodesy/oblique_stereographic.h"
#include "geodesy/transverse_mercator.h"
#include "tools/exact_cassini.h"

namespace {

using namespace velqora;

struct NamedEllipsoid {
  const char* name;
  double a;  // km
  double rf;
};
constexpr NamedEllipsoid GRS80{"GRS80", 6378.137, 298.257222101};
constexpr NamedEllipsoid BESSEL{"Bessel 1841", 6377.397155, 299.1528128};
constexpr NamedEllipsoid CLARKE{"Clarke 1866", 6378.2064, 294.9786982};

velqora::Ellipsoid ellipsoidOf(const NamedEllipsoid& e) {
  return {e.a, e.a - e.a / e.rf, e.rf, e.rf / std::sqrt(2 * e.rf - 1)};
}

std::string number(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}
// Degrees for PROJ of an angle the program holds in radians, by the true pi.
std::string degrees(double radians) { return number(radians * 180 / M_PI); }

struct Pj {
  PJ* p;
  Pj(const std::string& definition, const NamedEllipsoid& e) {
    const std::string full =
        definition + " +lon_0=0 +x_0=0 +y_0=0 +a=" + number(e.a * 1000) + " +rf=" + number(e.rf) + " +units=m +no_defs";
    p = proj_create(PJ_DEFAULT_CTX, full.c_str());
    if (p == nullptr) {
      std::fprintf(stderr, "PROJ refused: %s\n", full.c_str());
      std::exit(1);
    }
  }
  ~Pj() { proj_destroy(p); }
  Pj(const Pj&) = delete;
  Pj& operator=(const Pj&) = delete;
  // Metres of a point given in radians.
  std::array<double, 2> forward(double lam, double phi) const {
    const PJ_COORD c = proj_trans(p, PJ_FWD, proj_coord(lam, phi, 0, 0));
    return {c.xy.x, c.xy.y};
  }
};

using Ours = std::function<Projected(double dlam, double phi)>;
using Reference = std::function<std::array<double, 2>(double dlam, double phi)>;  // metres

// Largest |difference| in mm, X or Y, between ours (km) and the reference (m).
double differenceMm(const Ours& ours, const Reference& ref, double dlam, double phi) {
  const Projected p = ours(dlam, phi);
  if (!p) return NAN;
  const std::array<double, 2> r = ref(dlam, phi);
  return std::max(std::abs(p->x * 1e6 - r[0] * 1e3), std::abs(p->y * 1e6 - r[1] * 1e3));
}

// Over 24 azimuths at the geodesic distance distKm from the origin (phi0, 0).
double aroundOrigin(const NamedEllipsoid& e, double phi0, double distKm, const Ours& ours, const Reference& ref) {
  geod_geodesic g{};
  geod_init(&g, e.a * 1000, 1 / e.rf);
  double worst = 0;
  for (int k = 0; k < 24; ++k) {
    double lat = 0;
    double lon = 0;
    geod_direct(&g, phi0 * 180 / M_PI, 0, 15.0 * k, distKm * 1000, &lat, &lon, nullptr);
    worst = std::max(worst, differenceMm(ours, ref, lon * M_PI / 180, lat * M_PI / 180));
  }
  return worst;
}

// Over latitudes 0 to 80 degrees, north and south, east and west, at dlamDeg from
// the central meridian.
double alongMeridian(double dlamDeg, const Ours& ours, const Reference& ref) {
  double worst = 0;
  for (int lat = -80; lat <= 80; lat += 5) {
    for (const double side : {-1.0, 1.0}) {
      worst = std::max(worst, differenceMm(ours, ref, side * dlamDeg / DEGPRAD, lat / DEGPRAD));
    }
  }
  return worst;
}

std::string cell(double mm) {
  char buffer[32];
  if (std::isnan(mm)) return "outside";
  if (mm < 0.00005) return "< 0.0001";
  std::snprintf(buffer, sizeof buffer, "%.4f", mm);
  return buffer;
}

// One row of the closed-form projections' table: 10, 100 and 300 km around the origin.
void row(const char* projection, const char* reference, const char* where, const NamedEllipsoid& e, double phi0,
         const Ours& ours, const Reference& ref) {
  std::printf("| %s | %s | %s |", projection, reference, where);
  for (const double km : {10.0, 100.0, 300.0}) std::printf(" %s |", cell(aroundOrigin(e, phi0, km, ours, ref)).c_str());
  std::printf("\n");
}

// Degrees from the central meridian of the series projections' table.
constexpr std::array<double, 6> SERIES_DEGREES{1, 2, 3, 5, 10, 20};

// The series' differences span nine orders of magnitude: each cell carries its unit.
std::string lengthCell(double mm) {
  char buffer[32];
  if (std::isnan(mm)) return "outside";
  if (mm < 0.00005) return "< 0.0001 mm";
  if (mm < 10) {
    std::snprintf(buffer, sizeof buffer, "%.4f mm", mm);
  } else if (mm < 1000) {
    std::snprintf(buffer, sizeof buffer, "%.1f mm", mm);
  } else {
    std::snprintf(buffer, sizeof buffer, "%.1f m", mm / 1000);
  }
  return buffer;
}

// The longitude difference (degrees, by 0.01°) out to which the series stays within
// 1 m of the reference at this latitude.
double withinOneMetre(const Ours& ours, const Reference& ref, double lat) {
  for (int k = 1; k <= 18000; ++k) {
    const double diff = differenceMm(ours, ref, k / 100.0 / DEGPRAD, lat / DEGPRAD);
    if (!(diff <= 1000)) return (k - 1) / 100.0;
  }
  return 180;
}

void seriesRow(const char* projection, const char* reference, const char* where, const Ours& ours,
               const Reference& ref) {
  std::printf("| %s | %s | %s |", projection, reference, where);
  for (const double deg : SERIES_DEGREES) std::printf(" %s |", lengthCell(alongMeridian(deg, ours, ref)).c_str());
  std::printf("\n");
}

}  // namespace

int main() {
  std::printf("| Projection (code) | Compared with | Points | 10 km | 100 km | 300 km |\n");
  std::printf("|---|---|---|---|---|---|\n");
  {
    const double phi0 = (46 + 57 / 60.0 + 8.66 / 3600) / DEGPRAD;
    const Pj om("+proj=somerc +k_0=1 +lat_0=" + degrees(phi0), BESSEL);
    const ObliqueMercator projection = *ObliqueMercator::make(ellipsoidOf(BESSEL), phi0);
    const Ours ours = [&](double l, double p) { return projection.OMXYZ(l, p); };
    const Reference ref = [&](double l, double p) { return om.forward(l, p); };
    row("Oblique Mercator (2)", "PROJ somerc", "Bessel, origin 46°57′08.66″ N", BESSEL, phi0, ours, ref);
  }
  {
    const double phi0 = (27 + 50 / 60.0) / DEGPRAD;
    const double phi1 = (28 + 23 / 60.0) / DEGPRAD;
    const double phi2 = (30 + 17 / 60.0) / DEGPRAD;
    const Pj lcc("+proj=lcc +lat_0=" + degrees(phi0) + " +lat_1=" + degrees(phi1) + " +lat_2=" + degrees(phi2), CLARKE);
    const LambertTwoParallels projection = *LambertTwoParallels::make(ellipsoidOf(CLARKE), phi0, phi1, phi2);
    const Ours ours = [&](double l, double p) { return projection.LC2XYZ(l, p); };
    const Reference ref = [&](double l, double p) { return lcc.forward(l, p); };
    row("Lambert, two parallels (3)", "PROJ lcc", "Clarke 1866, origin 27°50′ N, parallels 28°23′, 30°17′", CLARKE,
        phi0, ours, ref);
  }
  {
    const double phi0 = 18 / DEGPRAD;
    const Pj lcc("+proj=lcc +k_0=1 +lat_0=" + degrees(phi0) + " +lat_1=" + degrees(phi0), CLARKE);
    const LambertOneParallel projection = *LambertOneParallel::make(ellipsoidOf(CLARKE), phi0);
    const Ours ours = [&](double l, double p) { return projection.LC1XYZ(l, p); };
    const Reference ref = [&](double l, double p) { return lcc.forward(l, p); };
    row("Lambert, one parallel (4)", "PROJ lcc", "Clarke 1866, origin 18° N", CLARKE, phi0, ours, ref);
  }
  {
    const double phi0 = (52 + 9 / 60.0 + 22.178 / 3600) / DEGPRAD;
    const Pj sterea("+proj=sterea +k=1 +lat_0=" + degrees(phi0), BESSEL);
    const ObliqueStereographic projection = *ObliqueStereographic::make(ellipsoidOf(BESSEL), phi0);
    const Ours ours = [&](double l, double p) { return projection.SCXYZ(l, p); };
    const Reference ref = [&](double l, double p) { return sterea.forward(l, p); };
    row("Oblique stereographic (6)", "PROJ sterea", "Bessel, origin 52°09′22.178″ N", BESSEL, phi0, ours, ref);
  }

  std::printf("\n| Projection (code) | Compared with | Points |");
  for (const double deg : SERIES_DEGREES) std::printf(" %g° |", deg);
  std::printf("\n|---|---|---|");
  for (std::size_t i = 0; i < SERIES_DEGREES.size(); ++i) std::printf("---|");
  std::printf("\n");
  {
    const Pj tm("+proj=tmerc +k_0=1 +lat_0=0", GRS80);
    const TransverseMercator projection(ellipsoidOf(GRS80));
    const Ours ours = [&](double l, double p) { return projection.TMXYZ(l, p); };
    const Reference ref = [&](double l, double p) { return tm.forward(l, p); };
    seriesRow("Transverse Mercator (1)", "PROJ tmerc (exact)", "GRS80, latitudes 0-80° N and S", ours, ref);
  }
  {
    geod_geodesic g{};
    geod_init(&g, GRS80.a * 1000, 1 / GRS80.rf);
    const CassiniSoldner projection(ellipsoidOf(GRS80));
    const Ours ours = [&](double l, double p) { return projection.CSXYZ(l, p); };
    const Reference ref = [&](double l, double p) { return tools::exactCassini(g, l, p); };
    seriesRow("Cassini-Soldner (5)", "exact, by PROJ geodesics", "GRS80, latitudes 0-80° N and S", ours, ref);
  }

  // The series' limits, on the ellipsoids of the lists' range of flattening.
  std::printf("\n| Latitude |");
  for (const NamedEllipsoid* e : {&GRS80, &CLARKE}) std::printf(" TM, %s | CS, %s |", e->name, e->name);
  std::printf("\n|---|---|---|---|---|\n");
  struct Series {
    Ours tm;
    Reference tmRef;
    Ours cs;
    Reference csRef;
  };
  std::vector<std::unique_ptr<Pj>> pjs;
  std::vector<geod_geodesic> geodesics(2);
  std::vector<Series> series;
  std::vector<TransverseMercator> tms;
  std::vector<CassiniSoldner> css;
  for (const NamedEllipsoid* e : {&GRS80, &CLARKE}) {
    pjs.push_back(std::make_unique<Pj>("+proj=tmerc +k_0=1 +lat_0=0", *e));
    geod_init(&geodesics[series.size()], e->a * 1000, 1 / e->rf);
    tms.emplace_back(ellipsoidOf(*e));
    css.emplace_back(ellipsoidOf(*e));
    series.push_back({});
  }
  for (std::size_t i = 0; i < series.size(); ++i) {
    series[i] = {[&, i](double l, double p) { return tms[i].TMXYZ(l, p); },
                 [&, i](double l, double p) { return pjs[i]->forward(l, p); },
                 [&, i](double l, double p) { return css[i].CSXYZ(l, p); },
                 [&, i](double l, double p) { return tools::exactCassini(geodesics[i], l, p); }};
  }
  std::array<double, 4> smallest{180, 180, 180, 180};
  for (int quarter = 0; quarter < 4 * 90; ++quarter) {
    const double lat = quarter / 4.0;
    std::array<double, 4> limit{};
    for (std::size_t i = 0; i < series.size(); ++i) {
      limit[2 * i] = withinOneMetre(series[i].tm, series[i].tmRef, lat);
      limit[2 * i + 1] = withinOneMetre(series[i].cs, series[i].csRef, lat);
    }
    for (std::size_t k = 0; k < limit.size(); ++k) smallest[k] = std::min(smallest[k], limit[k]);
    if (quarter % 40 == 0 || quarter == 4 * 85 || quarter == 4 * 89 + 3) {
      std::printf("| %g° |", lat);
      for (const double l : limit) std::printf(" %.2f° |", l);
      std::printf("\n");
    }
  }
  std::printf("| smallest, 0-89.75° by 0.25° |");
  for (const double l : smallest) std::printf(" %.2f° |", l);
  std::printf("\n| the program's limit | %g° | %g° | %g° | %g° |\n", TransverseMercator::SERIES_LIMIT_DEGREES,
              CassiniSoldner::SERIES_LIMIT_DEGREES, TransverseMercator::SERIES_LIMIT_DEGREES,
              CassiniSoldner::SERIES_LIMIT_DEGREES);
  return 0;
}
