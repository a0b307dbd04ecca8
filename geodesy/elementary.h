#pragma once

namespace velqora {

// The elementary functions of every formula, in one place, so that every build shows
// the same digits. Libraries differ in the last bit now and then (glibc against
// mingw-w64, glibc itself with and without fused multiply-adds, x86 against ARM), and
// the derived values, a 10-arc-second difference of two projections, turn one such bit
// into a different last digit. These are computed in IEEE-754 double arithmetic only,
// in a fixed order and without fused multiply-adds, so they give the same bits on
// every processor and system, and they are correctly rounded: a fast path whose
// leading terms are exact and whose result is kept when its error bound, about 2^-65
// of the result, shows how it rounds, a more precise path in double-double arithmetic
// (error below 2^-100) for the rare rest, about one call in 3000 or fewer. Only a result
// within 2^-100 of a midpoint between two doubles could still round the wrong way,
// and then by no more than a hair over half an ulp; the exact midpoints of pow are
// found and rounded exactly. Special values (NaN, infinities,
// zeros, overflow and underflow) follow C99 Annex F. Square roots are exact everywhere
// and stay std::sqrt.
double sin(double x);
double cos(double x);
// {sin(x), cos(x)}, the same bits, from one reduction.
struct SineCosine {
  double sin;
  double cos;
};
SineCosine sincos(double x);
double tan(double x);
double atan(double x);
double atan2(double y, double x);
double log(double x);
double exp(double x);
double pow(double x, double y);

}  // namespace velqora
