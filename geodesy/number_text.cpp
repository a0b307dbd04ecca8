#include "geodesy/number_text.h"

#include <charconv>
#include <limits>
#include <string>
#include <system_error>

namespace velqora {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// A literal beyond the double range: from_chars leaves the value alone then, where
// strtod would give an infinity for too large a number and zero for too small a one.
// The power of ten of the first significant digit tells which.
double outOfRange(const std::string& literal) {
  long long power = 0;
  long long exponent = 0;
  bool seenPoint = false;
  bool seenSignificant = false;
  std::size_t i = 0;
  if (literal[i] == '+' || literal[i] == '-') ++i;
  for (; i < literal.size() && literal[i] != 'e'; ++i) {
    const char c = literal[i];
    if (c == '.') {
      seenPoint = true;
    } else if (!seenSignificant && c == '0') {
      if (seenPoint) --power;
    } else {
      if (!seenSignificant) seenSignificant = true;
      if (!seenPoint) ++power;
    }
  }
  if (i < literal.size()) {
    std::size_t j = i + 1;
    const bool negative = literal[j] == '-';
    if (literal[j] == '+' || literal[j] == '-') ++j;
    // Clamped: any exponent this long is far out of range either way.
    for (; j < literal.size() && exponent < 100000; ++j) exponent = exponent * 10 + (literal[j] - '0');
    if (negative) exponent = -exponent;
  }
  const double magnitude = power + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  return literal.front() == '-' ? -magnitude : magnitude;
}

// The number at the start of a text, and where it ends.
struct Scan {
  double value = 0;
  bool found = false;   // a number begins the text (after its blanks)
  std::size_t end = 0;  // the position just after the number, or after the blanks
};

Scan scan(std::string_view text) {
  Scan result;
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  result.end = i;

  // Copy the number's characters into a plain literal for from_chars, which rounds
  // correctly and never looks at the user's locale (the decimal point is always '.').
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
  if (digits == 0) return result;

  // An exponent letter counts only when digits follow it ("1E" reads 1).
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    if (j < text.size() && isDigit(text[j])) {
      while (j < text.size() && isDigit(text[j])) exponent += text[j++];
      literal += exponent;
      i = j;
    }
  }
  result.found = true;
  result.end = i;
  // from_chars takes no leading '+'.
  const std::size_t start = literal.front() == '+' ? 1 : 0;
  const auto [end, ec] = std::from_chars(literal.data() + start, literal.data() + literal.size(), result.value);
  if (ec == std::errc::result_out_of_range) result.value = outOfRange(literal);
  (void)end;
  return result;
}

}  // namespace

double Number(std::string_view text) { return scan(text).value; }

bool isNumberText(std::string_view text) {
  const Scan s = scan(text);
  if (!s.found) return s.end == text.size();  // empty, or blanks only
  return s.end == text.size() || isBlank(text[s.end]);
}

bool isDegreesText(std::string_view text) { return text == "-" || text == "--" || isNumberText(text); }

std::string notANumberMessage(std::string_view text) {
  return "The text \"" + std::string(text) + "\" is not a number.";
}

double Sign(std::string_view text) { return !text.empty() && text.front() == '-' ? -1.0 : 1.0; }

}  // namespace velqora
