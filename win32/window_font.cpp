#include "win32/window_font.h"

namespace velqora {

namespace {

constexpr int FONT_POINTS = 11;

}  // namespace

FontHandle makeWindowFont(UINT dpi, int weight) {
  const int height = -MulDiv(FONT_POINTS, static_cast<int>(dpi), 72);
  return FontHandle(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
}

}  // namespace velqora
