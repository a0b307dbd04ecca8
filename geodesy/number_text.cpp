#include "geodesy/number_text.h"

#include <locale.h>

#include <cstdlib>
#include <string>

namespace velqora {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The decimal point is always '.', whatever the user's locale says.
locale_t cLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

}  // namespace

double Number(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;

  // Copy the number's characters into a plain C literal for strtod, which rounds
  // correctly and gives an infinite value beyond the double range.
  std::string literal;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) literal += text[i++];
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) {
    literal += text[i++];
    ++digits;
  }
  if (i < text.size() && text[i] == '.') {
    literal += text[i++];
    while (i < text.size() && isDigit(text[i])) {
      literal += text[i++];
      ++digits;
    }
  }
  if (digits == 0) return 0.0;

  // An exponent letter counts only when digits follow it ("1E" reads 1).
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    if (j < text.size() && isDigit(text[j])) {
      while (j < text.size() && isDigit(text[j])) exponent += text[j++];
      literal += exponent;
    }
  }
  return strtod_l(literal.c_str(), nullptr, cLocale());
}

double Sign(std::string_view text) { return !text.empty() && text.front() == '-' ? -1.0 : 1.0; }

}  // namespace velqora
