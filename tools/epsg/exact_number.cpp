#include "tools/epsg/exact_number.h"

#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace velqora::epsg {

std::string shortestText(double value) {
  // Fixed notation, so that a DMS value keeps its digit positions ("0.00001").
  std::array<char, 400> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  if (ec != std::errc()) throw std::runtime_error("no text for a number");
  return std::string(buffer.data(), end);
}

mpq_class decimalValue(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // A text in exponent form (to_chars gives it for very large or small values).
  long exponent = 0;
  if (const auto e = text.find_first_of("eE"); e != std::string_view::npos) {
    exponent = std::stol(std::string(text.substr(e + 1)));
    text = text.substr(0, e);
  }
  // The digits as a whole number, the point moving the exponent.
  std::string digits;
  for (const char c : text) {
    if (c == '.') continue;
    if (c < '0' || c > '9') throw std::runtime_error("not a decimal: " + std::string(text));
    digits.push_back(c);
  }
  const auto point = text.find('.');
  if (point != std::string_view::npos) exponent -= static_cast<long>(text.size() - point - 1);
  if (digits.empty()) throw std::runtime_error("not a decimal: " + std::string(text));
  mpq_class value(mpz_class(digits, 10));
  mpz_class power;
  mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(exponent)));
  if (exponent >= 0) {
    value *= power;
  } else {
    value /= power;
  }
  value.canonicalize();
  return negative ? mpq_class(-value) : value;
}

double nearestDouble(const mpq_class& value) {
  if (value == 0) return 0.0;
  mpz_class num = abs(value.get_num());
  mpz_class den = value.get_den();
  // Scale by 2^-shift so that the quotient has 53 bits, then round its remainder.
  long shift = static_cast<long>(mpz_sizeinbase(num.get_mpz_t(), 2)) -
               static_cast<long>(mpz_sizeinbase(den.get_mpz_t(), 2)) - 53;
  mpz_class q;
  mpz_class r;
  while (true) {
    mpz_class n = num;
    mpz_class d = den;
    if (shift < 0) {
      mpz_mul_2exp(n.get_mpz_t(), n.get_mpz_t(), static_cast<mp_bitcnt_t>(-shift));
    } else {
      mpz_mul_2exp(d.get_mpz_t(), d.get_mpz_t(), static_cast<mp_bitcnt_t>(shift));
    }
    mpz_fdiv_qr(q.get_mpz_t(), r.get_mpz_t(), n.get_mpz_t(), d.get_mpz_t());
    const auto bits = mpz_sizeinbase(q.get_mpz_t(), 2);
    if (bits > 53) {
      ++shift;
    } else if (bits < 53) {
      --shift;
    } else {
      const int half = cmp(2 * r, d);
      if (half > 0 || (half == 0 && mpz_odd_p(q.get_mpz_t()))) ++q;
      break;
    }
  }
  // q < 2^54 (a carry may give exactly 2^53): exact as a double.
  const double magnitude = std::ldexp(q.get_d(), static_cast<int>(shift));
  return value < 0 ? -magnitude : magnitude;
}

std::string roundedText(const mpq_class& value, int decimals) {
  mpz_class scale;
  mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(decimals));
  const mpq_class scaled = abs(value) * scale;
  // Ties away from zero: floor(x + 1/2).
  mpz_class whole;
  const mpq_class shifted = scaled + mpq_class(1, 2);
  mpz_fdiv_q(whole.get_mpz_t(), shifted.get_num_mpz_t(), shifted.get_den_mpz_t());
  std::string digits = whole.get_str(10);
  if (decimals > 0) {
    if (digits.size() <= static_cast<std::size_t>(decimals)) {
      digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    }
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, '.');
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
  }
  const bool negative = value < 0 && whole != 0;
  return negative ? "-" + digits : digits;
}

}  // namespace velqora::epsg
