#include "window/layout.h"

#include <array>
#include <cmath>
#include <stdexcept>

namespace velqora {

namespace {

constexpr ControlKind LABEL = ControlKind::Label;
constexpr ControlKind FIELD = ControlKind::Field;
constexpr ControlKind LIST = ControlKind::List;
constexpr ControlKind BUTTON = ControlKind::Button;

// TEXT42, the separator between the ellipsoid and the point: 126 hyphens.
constexpr std::string_view SEPARATOR =
    "------------------------------------------------------------------------------------------------------------------------------";
static_assert(SEPARATOR.size() == 126);

// name, kind, number, text, x, y, w, h, bold, typing limit; in creation order.
constexpr std::array<Control, 108> CONTROLS{{
    {"TEXT1", LABEL, 1, "Reference Ellipsoid", 9, 189, 140, 16, true, 0},
    {"TEXT2", LABEL, 2, "Equatorial Radius", 17, 215, 123, 17, false, 0},
    {"TEXT3", LABEL, 3, "Polar Radius", 52, 241, 89, 17, false, 0},
    {"TEXT4", LABEL, 4, "1/Flattering", 293, 215, 74, 17, false, 0},
    {"COMBO1", LIST, 1, "", 155, 181, 422, 207, false, 0},
    {"BUTTON1", BUTTON, 1, "Calculate", 508, 241, 74, 22, false, 0},
    {"EDIT1", FIELD, 1, "", 146, 215, 108, 23, false, 15},
    {"EDIT2", FIELD, 2, "", 146, 241, 108, 23, false, 15},
    {"EDIT3", FIELD, 3, "", 379, 215, 116, 23, false, 15},
    {"TEXT5", LABEL, 5, "1/Eccentricity", 284, 241, 89, 17, false, 0},
    {"EDIT4", FIELD, 4, "", 379, 241, 116, 23, false, 15},
    {"TEXT6", LABEL, 6, "km,", 258, 215, 22, 17, false, 0},
    {"TEXT7", LABEL, 7, "km", 258, 241, 20, 17, false, 0},
    {"TEXT8", LABEL, 8, "Origin of the Coordinate", 9, 52, 170, 17, true, 0},
    {"TEXT9", LABEL, 9, "Longitude(E:+)", 9, 78, 98, 17, false, 0},
    {"TEXT10", LABEL, 10, "Latitude(N:+)", 17, 103, 89, 17, false, 0},
    {"EDIT5", FIELD, 5, "", 112, 78, 59, 23, false, 15},
    {"EDIT6", FIELD, 6, "", 112, 103, 59, 23, false, 15},
    {"TEXT11", LABEL, 11, "deg", 172, 78, 26, 17, false, 0},
    {"TEXT12", LABEL, 12, "deg", 172, 103, 26, 17, false, 0},
    {"EDIT7", FIELD, 7, "00", 198, 78, 59, 23, false, 15},
    {"EDIT8", FIELD, 8, "00", 198, 103, 59, 23, false, 15},
    {"TEXT13", LABEL, 13, "arcm", 258, 78, 34, 17, false, 0},
    {"TEXT14", LABEL, 14, "arcm", 258, 103, 34, 17, false, 0},
    {"EDIT9", FIELD, 9, "00.00", 293, 78, 59, 23, false, 15},
    {"EDIT10", FIELD, 10, "00.00", 293, 103, 59, 23, false, 15},
    {"TEXT15", LABEL, 15, "arcs", 353, 78, 30, 17, false, 0},
    {"TEXT16", LABEL, 16, "arcs", 353, 103, 30, 17, false, 0},
    {"TEXT17", LABEL, 17, "Shift", 457, 95, 36, 17, true, 0},
    {"TEXT18", LABEL, 18, "X:", 500, 78, 15, 17, false, 0},
    {"EDIT11", FIELD, 11, "+0", 517, 78, 84, 23, false, 15},
    {"TEXT19", LABEL, 19, "Y:", 500, 103, 17, 17, false, 0},
    {"EDIT12", FIELD, 12, "+0", 517, 103, 84, 23, false, 15},
    {"TEXT20", LABEL, 20, "km,", 603, 78, 26, 17, false, 0},
    {"TEXT21", LABEL, 21, "km", 603, 103, 26, 17, false, 0},
    {"TEXT22", LABEL, 22, "Scale Factor", 465, 129, 48, 37, true, 0},
    {"EDIT13", FIELD, 13, "1.000", 517, 129, 95, 23, false, 15},
    {"TEXT24", LABEL, 24, "Longitude(E:+)", 9, 284, 103, 17, false, 0},
    {"TEXT25", LABEL, 25, "Latitude(N:+)", 17, 310, 94, 17, false, 0},
    {"EDIT14", FIELD, 14, "", 112, 284, 49, 23, false, 4},
    {"EDIT15", FIELD, 15, "", 112, 310, 49, 23, false, 4},
    {"TEXT26", LABEL, 26, "deg", 164, 284, 26, 17, false, 0},
    {"TEXT27", LABEL, 27, "deg", 164, 310, 26, 17, false, 0},
    {"EDIT16", FIELD, 16, "", 189, 284, 32, 23, false, 2},
    {"EDIT17", FIELD, 17, "", 189, 310, 32, 23, false, 2},
    {"TEXT28", LABEL, 28, "arcm", 224, 284, 37, 17, false, 0},
    {"TEXT29", LABEL, 29, "arcm", 224, 310, 37, 17, false, 0},
    {"EDIT18", FIELD, 18, "", 258, 284, 66, 23, false, 15},
    {"EDIT19", FIELD, 19, "", 258, 310, 66, 23, false, 15},
    {"TEXT30", LABEL, 30, "arcs", 327, 284, 34, 17, false, 0},
    {"TEXT31", LABEL, 31, "arcs", 327, 310, 34, 17, false, 0},
    {"TEXT33", LABEL, 33, "Longitude(E:+)", 370, 284, 98, 17, false, 0},
    {"TEXT34", LABEL, 34, "Latitude(N:+)", 379, 310, 86, 17, false, 0},
    {"EDIT20", FIELD, 20, "", 474, 284, 118, 23, false, 15},
    {"EDIT21", FIELD, 21, "", 474, 310, 118, 23, false, 15},
    {"TEXT35", LABEL, 35, "deg", 594, 284, 26, 17, false, 0},
    {"TEXT36", LABEL, 36, "deg", 594, 310, 26, 17, false, 0},
    {"TEXT38", LABEL, 38, "X=", 9, 370, 17, 17, false, 0},
    {"TEXT39", LABEL, 39, "Y=", 9, 396, 17, 17, false, 0},
    {"EDIT22", FIELD, 22, "", 34, 370, 118, 23, false, 15},
    {"EDIT23", FIELD, 23, "", 34, 396, 118, 23, false, 15},
    {"TEXT40", LABEL, 40, "km", 155, 370, 20, 17, false, 0},
    {"TEXT41", LABEL, 41, "km", 155, 396, 20, 17, false, 0},
    {"TEXT42", LABEL, 42, SEPARATOR, 9, 267, 615, 12, false, 0},
    {"COMBO2", LIST, 2, "", 181, 43, 457, 208, false, 0},
    {"TEXT44", LABEL, 44, "from Grid North (E:+)", 301, 405, 150, 17, true, 0},
    {"EDIT24", FIELD, 24, "", 482, 396, 119, 23, false, 15},
    {"BUTTON2", BUTTON, 2, "By Polar Coordinate(Decimal)", 353, 336, 269, 26, true, 0},
    {"BUTTON3", BUTTON, 3, "By Polar Coordinate(Sexagesimal))", 9, 336, 269, 26, true, 0},
    {"BUTTON4", BUTTON, 4, "By Rectangular Coordinate", 9, 422, 269, 26, true, 0},
    {"TEXT23", LABEL, 23, "deg", 603, 396, 26, 17, false, 0},
    {"EDIT25", FIELD, 25, "", 215, 370, 66, 23, false, 15},
    {"EDIT26", FIELD, 26, "", 215, 396, 66, 23, false, 15},
    {"TEXT45", LABEL, 45, "Error", 181, 379, 33, 15, false, 0},
    {"TEXT46", LABEL, 46, "m", 284, 370, 12, 17, false, 0},
    {"TEXT47", LABEL, 47, "m", 284, 396, 12, 17, false, 0},
    {"EDIT27", FIELD, 27, "", 396, 370, 42, 23, false, 4},
    {"TEXT48", LABEL, 48, "deg", 439, 370, 26, 17, false, 0},
    {"EDIT28", FIELD, 28, "", 465, 370, 32, 23, false, 2},
    {"TEXT49", LABEL, 49, "arcm", 500, 370, 34, 17, false, 0},
    {"EDIT29", FIELD, 29, "", 534, 370, 68, 23, false, 15},
    {"TEXT50", LABEL, 50, "arcs", 603, 370, 31, 17, false, 0},
    {"EDIT30", FIELD, 30, "", 482, 422, 119, 23, false, 15},
    {"TEXT51", LABEL, 51, "tangent=", 413, 422, 59, 17, false, 0},
    {"EDIT31", FIELD, 31, "", 284, 448, 123, 23, false, 15},
    {"TEXT52", LABEL, 52, "Scale Factor", 189, 448, 94, 17, true, 0},
    {"EDIT32", FIELD, 32, "", 517, 448, 102, 23, false, 15},
    {"TEXT53", LABEL, 53, "m", 620, 448, 17, 17, false, 0},
    {"TEXT54", LABEL, 54, "1arcs in map", 413, 448, 97, 17, true, 0},
    {"EDIT33", FIELD, 33, "", 189, 129, 59, 23, false, 15},
    {"EDIT34", FIELD, 34, "", 189, 155, 59, 23, false, 15},
    {"TEXT57", LABEL, 57, "deg", 250, 129, 26, 17, false, 0},
    {"TEXT58", LABEL, 58, "deg", 250, 155, 26, 17, false, 0},
    {"EDIT35", FIELD, 35, "", 276, 129, 59, 23, false, 15},
    {"EDIT36", FIELD, 36, "", 276, 155, 59, 23, false, 15},
    {"TEXT59", LABEL, 59, "arcm", 336, 129, 34, 17, false, 0},
    {"TEXT60", LABEL, 60, "arcm", 336, 155, 34, 17, false, 0},
    {"EDIT37", FIELD, 37, "", 370, 129, 52, 23, false, 15},
    {"EDIT38", FIELD, 38, "", 370, 155, 52, 23, false, 15},
    {"TEXT61", LABEL, 61, "arcs", 422, 129, 30, 17, false, 0},
    {"TEXT62", LABEL, 62, "arcs", 422, 155, 30, 17, false, 0},
    {"TEXT63", LABEL, 63, "1st Parallel Lat(for LCC)", 9, 129, 175, 17, true, 0},
    {"TEXT72", LABEL, 72, "2nd parallel Lat(for LCC)", 9, 155, 175, 17, true, 0},
    {"TEXT64", LABEL, 64, "Projection", 9, 17, 74, 17, true, 0},
    {"TEXT65", LABEL, 65, "the Angle to True North", 301, 370, 90, 33, true, 0},
    {"TEXT66", LABEL, 66, "=", 465, 396, 9, 17, false, 0},
    {"COMBO3", LIST, 3, "", 370, 9, 267, 208, false, 0},
    {"COMBO4", LIST, 4, "", 86, 9, 283, 207, false, 0},
}};

}  // namespace

std::span<const Control> mainformControls() { return CONTROLS; }

const Control* findControl(std::string_view name) {
  for (const Control& control : CONTROLS)
    if (control.name == name) return &control;
  return nullptr;
}

const Control& controlOf(Field field) {
  for (const Control& control : CONTROLS)
    if (control.kind == ControlKind::Field && control.number == field) return control;
  throw std::out_of_range("no such field");
}

const Control& controlOf(List list) {
  for (const Control& control : CONTROLS)
    if (control.kind == ControlKind::List && control.number == list) return control;
  throw std::out_of_range("no such list");
}

int unitsToPixels(int units, double logicalDpi) {
  return static_cast<int>(std::lround(units * logicalDpi * LAYOUT_SCALE_PERCENT / 10000.0));
}

PixelBox pixelBox(const Control& c, double dpiX, double dpiY) {
  const int x = unitsToPixels(c.x, dpiX);
  const int y = unitsToPixels(c.y, dpiY);
  return PixelBox{x, y, unitsToPixels(c.x + c.w, dpiX) - x, unitsToPixels(c.y + c.h, dpiY) - y};
}

PixelBox pixelBox(const UnitBox& b, double logicalDpi) {
  const int x = unitsToPixels(b.x, logicalDpi);
  const int y = unitsToPixels(b.y, logicalDpi);
  return PixelBox{x, y, unitsToPixels(b.x + b.w, logicalDpi) - x, unitsToPixels(b.y + b.h, logicalDpi) - y};
}

}  // namespace velqora
