#include "converter/core_conversion.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "geodesy/forward_conversion.h"
#include "geodesy/inverse_conversion.h"
#include "geodesy/number_text.h"

namespace velqora::convert {

namespace {

// A coordinate text as the window reads its field. A number beyond the double range has
// no angle or distance; the window refuses it as outside the projection's area.
bool readNumber(std::string_view text, double& value) {
  value = Number(text);
  return std::isfinite(value);
}

// An angle typed in three fields: the sign of the whole angle is the first character
// of the degrees text, so "-0", "30", "0" is -0.5 degrees.
bool readAngle(std::string_view degrees, std::string_view minutes, std::string_view seconds, double& value) {
  const double sign = Sign(degrees);
  const SexagesimalAngle angle{Number(degrees), sign * Number(minutes), sign * Number(seconds)};
  value = angle.decimalDegrees();
  return std::isfinite(value);
}

// The window's message as the reason of an ERROR field: "The point is outside ..." for
// a point beyond the projection's area, "The grid data are not valid ..." for a grid
// that no point can use.
std::string reasonFor(ConversionRefusal refusal) {
  std::string reason = refusalMessage(refusal);
  if (!reason.empty() && reason.back() == '.') reason.pop_back();
  if (!reason.empty() && reason.front() >= 'A' && reason.front() <= 'Z')
    reason.front() = static_cast<char>(reason.front() - 'A' + 'a');
  return reason;
}

std::string formatTolerance(double metres) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%g", metres);
  return text.data();
}

const std::string BEYOND_RANGE = "a coordinate is beyond the range of numbers";

void appendDerived(std::vector<std::string>& out, DerivedTexts&& t) {
  out.push_back(std::move(t.angle));
  out.push_back(std::move(t.tangent));
  out.push_back(std::move(t.scaleFactor));
  out.push_back(std::move(t.arcSecondLength));
}

void appendPoint(std::vector<std::string>& out, const GridPoint& point) {
  GridPointTexts texts = gridPointTexts(point);
  out.reserve(6);
  out.push_back(std::move(texts.x));
  out.push_back(std::move(texts.y));
}

void appendAngle(std::vector<std::string>& out, AngleTexts&& t) {
  out.push_back(std::move(t.degrees));
  out.push_back(std::move(t.minutes));
  out.push_back(std::move(t.seconds));
}

}  // namespace

PointConversion coreConversion(const Ellipsoid& ellipsoid, const GridDefinition& definition, Direction direction) {
  PointConversion c;
  // One grid for the whole run, its constants computed once; its answers are const, so
  // every thread converts with it. A grid that no point can use answers every line.
  const auto grid = Grid::make(ellipsoid, definition);
  c.concurrent = true;
  const bool derived = direction.derived;
  if (!direction.inverse) {
    c.resultNames = {"x_km", "y_km"};
    if (direction.sexagesimal) {
      c.coordinateCount = 6;
      c.mayBeEmpty = {1, 2, 4, 5};
    }
    const bool sexagesimal = direction.sexagesimal;
    c.convert = [=](std::span<const std::string_view> t) {
      PointResult r;
      double longitude = 0;
      double latitude = 0;
      const bool read = sexagesimal ? readAngle(t[0], t[1], t[2], longitude) && readAngle(t[3], t[4], t[5], latitude)
                                    : readNumber(t[0], longitude) && readNumber(t[1], latitude);
      if (!read) {
        r.refusal = BEYOND_RANGE;
        return r;
      }
      if (!grid) {
        r.refusal = reasonFor(grid.reason());
        return r;
      }
      // As the window converts: without derived values a point is still refused when
      // they have none, but they are computed only where that can happen.
      if (derived) {
        const auto converted = convertToGridWithDerivedValues(*grid, longitude, latitude);
        if (!converted) {
          r.refusal = reasonFor(converted.reason());
          return r;
        }
        appendPoint(r.texts, converted->point);
        appendDerived(r.texts, derivedTexts(converted->derived));
        return r;
      }
      const auto converted = convertToGridAsTheWindowDoes(*grid, longitude, latitude);
      if (!converted) {
        r.refusal = reasonFor(converted.reason());
        return r;
      }
      appendPoint(r.texts, *converted);
      return r;
    };
  } else {
    c.resultNames = direction.sexagesimal
                        ? std::vector<std::string>{"longitude_deg", "longitude_arcmin", "longitude_arcsec",
                                                   "latitude_deg",  "latitude_arcmin",  "latitude_arcsec"}
                        : std::vector<std::string>{"longitude", "latitude"};
    c.resultNames.insert(c.resultNames.end(), {"error_x_m", "error_y_m"});
    const bool sexagesimal = direction.sexagesimal;
    // The tolerance as the user gave it, for the report of a point that does not reach it.
    const std::string toleranceText =
        direction.toleranceMetres ? formatTolerance(*direction.toleranceMetres) : std::string();
    c.convert = [=](std::span<const std::string_view> t) {
      PointResult r;
      double x = 0;
      double y = 0;
      if (!readNumber(t[0], x) || !readNumber(t[1], y)) {
        r.refusal = BEYOND_RANGE;
        return r;
      }
      if (!grid) {
        r.refusal = reasonFor(grid.reason());
        return r;
      }
      const double tolerance = direction.toleranceMetres.value_or(TOLERANCE_METRES);
      std::optional<DerivedValues> derivedValues;
      InverseConversion point;
      if (derived) {
        const auto converted = convertToGeographicWithDerivedValues(*grid, x, y, tolerance);
        if (!converted) {
          r.refusal = reasonFor(converted.reason());
          return r;
        }
        point = converted->point;
        derivedValues = converted->derived;
      } else {
        const auto converted = convertToGeographicAsTheWindowDoes(*grid, x, y, tolerance);
        if (!converted) {
          r.refusal = reasonFor(converted.reason());
          return r;
        }
        point = *converted;
      }
      if (direction.toleranceMetres && !point.withinTolerance) {
        r.refusal = "the estimate did not come within " + toleranceText + " m of the point in " +
                    std::to_string(ITERATION_LIMIT + 1) + " steps";
        return r;
      }
      // Only the texts asked for: each costs as much as a projection.
      r.texts.reserve(12);
      if (sexagesimal) {
        appendAngle(r.texts, sexagesimalTexts(point.longitude));
        appendAngle(r.texts, sexagesimalTexts(point.latitude));
      } else {
        r.texts.push_back(decimalDegreesText(point.longitude));
        r.texts.push_back(decimalDegreesText(point.latitude));
      }
      ResidualTexts residuals = residualTexts(point);
      r.texts.push_back(std::move(residuals.x));
      r.texts.push_back(std::move(residuals.y));
      if (derivedValues) appendDerived(r.texts, derivedTexts(*derivedValues));
      return r;
    };
  }
  if (derived)
    c.resultNames.insert(c.resultNames.end(), {"angle_to_true_north_deg", "tangent", "scale_factor", "arcsecond_m"});
  return c;
}

}  // namespace velqora::convert
