#pragma once

#include <array>

namespace velqora {

// ARCCOEF(i, j): row i belongs to the term in sin(2 i phi) (row 0 to phi itself),
// column j to e^(2j). The rational entries have power-of-two denominators.
using ArcCoefficients = std::array<std::array<double, 5>, 5>;
extern const ArcCoefficients ARCCOEF;

// The meridian of one ellipsoid, given by its equatorial radius a (km) and inverse
// eccentricity 1/e. The 25 coefficients of the arc series (each ARCCOEF entry over
// (1/e)^(2j), with its term's sign) are formed once; the sums are those of the
// term-by-term evaluation, bit for bit.
class MeridianArc {
 public:
  MeridianArc(double a, double inverseEccentricity);

  // Meridian distance in km from the equator to phi (radians), negative south.
  [[nodiscard]] double FRMEQTR(double phi) const;

  // Length in km of one arc-minute of meridian at phi, rounded to single precision.
  [[nodiscard]] float LNGARCM(double phi) const;

 private:
  double a_;
  double E3_;  // 1/e
  ArcCoefficients coefficient_{};
  double oneMinusE2_;
};

}  // namespace velqora
