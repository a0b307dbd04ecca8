#include "tools/epsg/units.h"

#include <string>

#include "tools/epsg/exact_number.h"

namespace velqora::epsg {

namespace {

mpq_class ratio(const char* b, const char* c = "1") { return decimalValue(b) / decimalValue(c); }

}  // namespace

std::optional<mpq_class> metresPerUnit(int uomCode) {
  // The dataset's factors b/c of each unit.
  switch (uomCode) {
    case 9001:
      return ratio("1");
    case 1025:
      return ratio("0.001");
    case 1033:
      return ratio("0.01");
    case 9036:
      return ratio("1000");
    case 9002:
      return ratio("0.3048");
    case 9003:
      return ratio("12", "39.37");  // US survey foot
    case 9033:
      return ratio("792", "39.37");
    case 9034:
      return ratio("7.92", "39.37");
    case 9035:
      return ratio("63360", "39.37");
    case 9005:
      return ratio("0.3047972654");  // Clarke's foot
    case 9037:
      return ratio("0.9143917962");
    case 9038:
      return ratio("20.1166195164");
    case 9039:
      return ratio("0.201166195164");
    case 9014:
      return ratio("1.8288");
    case 9030:
      return ratio("1852");
    case 9031:
      return ratio("1.0000135965");  // German legal metre
    case 9040:
      return ratio("36", "39.370147");  // British, Sears 1922
    case 9041:
      return ratio("12", "39.370147");
    case 9042:
      return ratio("792", "39.370147");
    case 9043:
      return ratio("7.92", "39.370147");
    case 9050:
      return ratio("0.9143992");  // British, Benoit 1895 A
    case 9051:
      return ratio("0.9143992", "3");
    case 9052:
      return ratio("20.1167824");
    case 9053:
      return ratio("0.201167824");
    case 9060:
      return ratio("36", "39.370113");  // British, Benoit 1895 B
    case 9061:
      return ratio("12", "39.370113");
    case 9062:
      return ratio("792", "39.370113");
    case 9063:
      return ratio("7.92", "39.370113");
    case 9070:
      return ratio("0.9144025", "3");  // British foot (1865)
    case 9080:
      return ratio("12", "39.370142");  // Indian foot
    case 9081:
      return ratio("0.30479841");
    case 9082:
      return ratio("0.3047996");
    case 9083:
      return ratio("0.3047995");
    case 9084:
      return ratio("36", "39.370142");
    case 9085:
      return ratio("0.91439523");
    case 9086:
      return ratio("0.9143988");
    case 9087:
      return ratio("0.9143985");
    case 9093:
      return ratio("1609.344");
    case 9094:
      return ratio("6378300", "20926201");  // Gold Coast foot
    case 9095:
      return ratio("0.3048007491");
    case 9096:
      return ratio("0.9144");
    case 9097:
      return ratio("20.1168");
    case 9098:
      return ratio("0.201168");
    case 9099:
      return ratio("0.914398");  // British, Sears 1922 truncated
    case 9300:
      return ratio("0.914398", "3");
    case 9301:
      return ratio("20.116756");
    case 9302:
      return ratio("0.20116756");
    default:
      return std::nullopt;
  }
}

std::optional<mpq_class> degreesOf(double value, int uomCode) {
  switch (uomCode) {
    case 9102:
    case 9122:
      return datasetValue(value);
    case 9105:
      return datasetValue(value) * mpq_class(9, 10);
    case 9103:
      return datasetValue(value) / 60;
    case 9104:
      return datasetValue(value) / 3600;
    case 9110:
      break;
    default:
      return std::nullopt;
  }
  // Sexagesimal DMS: the digits after the point are two of arc-minutes, two of
  // arc-seconds, then the seconds' decimals ("-3.2" is -3 degrees 20 arc-minutes).
  std::string text = shortestText(value);
  const bool negative = text.front() == '-';
  if (negative) text.erase(0, 1);
  const auto point = text.find('.');
  const std::string degrees = text.substr(0, point);
  std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
  if (fraction.size() < 4) fraction.append(4 - fraction.size(), '0');
  const mpq_class minutes = decimalValue(fraction.substr(0, 2));
  const mpq_class seconds = decimalValue(fraction.substr(2, 2) + "." + fraction.substr(4) + "0");
  if (minutes >= 60 || seconds >= 60) return std::nullopt;
  const mpq_class angle = decimalValue(degrees) + minutes / 60 + seconds / 3600;
  return negative ? mpq_class(-angle) : angle;
}

}  // namespace velqora::epsg
