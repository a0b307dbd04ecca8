#include "geodesy/meridian_arc.h"

#include "geodesy/constants.h"
#include "geodesy/elementary.h"

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
      table[i][j] =
          static_cast<double>(static_cast<float>(ARC_SOURCE[i][2 * j]) / static_cast<float>(ARC_SOURCE[i][2 * j + 1]));
  return table;
}

}  // namespace

constinit const ArcCoefficients ARCCOEF = fillArcCoefficients();

MeridianArc::MeridianArc(double a, double inverseEccentricity)
    : a_(a), E3_(inverseEccentricity), oneMinusE2_(1 - 1 / (inverseEccentricity * inverseEccentricity)) {
  for (int i = 0; i < 5; ++i) {
    const double sign = i % 2 == 0 ? 1.0 : -1.0;
    for (int j = 0; j < 5; ++j) coefficient_[i][j] = sign * ARCCOEF[i][j] / velqora::pow(inverseEccentricity, 2 * j);
  }
}

// S(phi) = a (1 - e^2) [A phi - B/2 sin 2phi + C/4 sin 4phi - D/6 sin 6phi + E/8 sin 8phi],
// A..E the classical series in e^2 (Helmert's expansion of the meridian arc),
// summed term by term, i outer and j inner.
double MeridianArc::FRMEQTR(double phi) const {
  double S = 0;
  for (int j = 0; j < 5; ++j) S += coefficient_[0][j] * phi;
  for (int i = 1; i < 5; ++i) {
    const double s = velqora::sin((2.0 * i) * phi);
    for (int j = 0; j < 5; ++j) S += coefficient_[i][j] * s / i / 2;
  }
  return S * a_ * oneMinusE2_;
}

float MeridianArc::LNGARCM(double phi) const {
  const double e2 = 1 / (E3_ * E3_);
  const double s = velqora::sin(phi);
  const double M = a_ * (1 - e2) / velqora::pow(1 - e2 * (s * s), 1.5);
  return static_cast<float>(M * PI / 10800);
}

}  // namespace velqora
