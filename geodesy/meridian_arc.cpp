#include "geodesy/meridian_arc.h"

#include <cmath>

#include "geodesy/constants.h"
#include "geodesy/elementary.h"
#include "geodesy/ellipsoid.h"

namespace velqora {

namespace {

// Five rows of numerator/denominator pairs, divided in single precision (every
// denominator is a power of two, so each entry is exact).
constexpr std::array<std::array<int, 10>, 5> ARC_SOURCE{{
    {1, 1, 3, 4, 45, 64, 175, 256, 11025, 16384},
    {0, 1, 3, 4, 15, 16, 525, 512, 2205, 2048},
    {0, 1, 0, 1, 15, 64, 105, 256, 2205, 4096},
    {0, 1, 0, 1, 0, 1, 35, 512, 315, 2048},
    {0, 1, 0, 1, 0, 1, 0, 1, 315, 16384},
}};

constexpr ArcCoefficients fillArcCoefficients() {
  ArcCoefficients table{};
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 5; ++j)
      table[i][j] = static_cast<double>(static_cast<float>(ARC_SOURCE[i][2 * j]) /
                                        static_cast<float>(ARC_SOURCE[i][2 * j + 1]));
  return table;
}

// What the 25 terms of the series share for one ellipsoid: each term's
// coefficient divided by (1/e)^(2j), with the term's sign, and the factor 1 - e^2.
// Kept, per thread, for the last inverse eccentricity seen; the terms stay bit for
// bit those of the term-by-term evaluation.
struct ArcSeries {
  double inverseEccentricity = std::nan("");
  std::array<std::array<double, 5>, 5> coefficient{};
  double oneMinusE2 = 0;
};

const ArcSeries& arcSeries(double re) {
  static thread_local ArcSeries series;
  if (!(series.inverseEccentricity == re)) {
    series.inverseEccentricity = re;
    for (int i = 0; i < 5; ++i) {
      const double sign = i % 2 == 0 ? 1.0 : -1.0;
      for (int j = 0; j < 5; ++j) {
        const double power = velqora::pow(re, 2 * j);
        series.coefficient[i][j] = sign * ARCCOEF[i][j] / power;
      }
    }
    series.oneMinusE2 = 1 - 1 / (re * re);
  }
  return series;
}

}  // namespace

constinit const ArcCoefficients ARCCOEF = fillArcCoefficients();

// S(phi) = a (1 - e^2) [A phi - B/2 sin 2phi + C/4 sin 4phi - D/6 sin 6phi + E/8 sin 8phi],
// A..E the classical series in e^2 (Helmert's expansion of the meridian arc),
// summed term by term, i outer and j inner.
double FRMEQTR(double phi) {
  const ArcSeries& series = arcSeries(EARTH[3]);
  double S = 0;
  for (int j = 0; j < 5; ++j) S += series.coefficient[0][j] * phi;
  for (int i = 1; i < 5; ++i) {
    const double s = velqora::sin((2.0 * i) * phi);
    for (int j = 0; j < 5; ++j) S += series.coefficient[i][j] * s / i / 2;
  }
  return S * EARTH[0] * series.oneMinusE2;
}

float LNGARCM(double phi) {
  const double e2 = 1 / (EARTH[3] * EARTH[3]);
  const double s = velqora::sin(phi);
  const double M = EARTH[0] * (1 - e2) / velqora::pow(1 - e2 * (s * s), 1.5);
  return static_cast<float>(M * PI / 10800);
}

}  // namespace velqora
