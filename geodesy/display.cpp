#include "geodesy/display.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "geodesy/elementary.h"

namespace velqora {

namespace {

// 10^P as a double: exact where the power is representable, the nearest double
// otherwise. The digit loops reach P from 1 - MAX_DIGITS (the last digit of a value
// below 1, whose first digit is the units "0") to 308.
constexpr int MIN_POWER = -20;
constexpr int MAX_POWER = 308;
static_assert(MIN_POWER <= 1 - MAX_DIGITS);

std::array<double, MAX_POWER - MIN_POWER + 1> powersOfTen() {
  std::array<double, MAX_POWER - MIN_POWER + 1> t{};
  for (int k = MIN_POWER; k <= MAX_POWER; ++k) {
    std::array<char, 16> literal{};
    std::snprintf(literal.data(), literal.size(), "1e%d", k);
    t[k - MIN_POWER] = std::strtod(literal.data(), nullptr);
  }
  return t;
}
const std::array<double, MAX_POWER - MIN_POWER + 1> POWERS_OF_TEN = powersOfTen();

double powerOfTen(int p) { return POWERS_OF_TEN[p - MIN_POWER]; }

char signCharacter(double x) { return x < 0 ? '-' : '+'; }

// The exact decimal value of a finite double a >= 0: its digits by decimal
// position (0 the units place, -1 the first decimal). A double's value has a
// finite decimal expansion, at most 309 integer and 1074 fraction digits.
class ExactDecimal {
 public:
  explicit ExactDecimal(double a) {
    std::array<char, 1500> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.1074f", a);
    std::string_view text(buffer.data());
    std::size_t point = 0;
    while (point < text.size() && text[point] >= '0' && text[point] <= '9') ++point;
    integer_ = std::string(text.substr(0, point));
    if (point < text.size()) fraction_ = std::string(text.substr(point + 1));
    while (!fraction_.empty() && fraction_.back() == '0') fraction_.pop_back();
  }

  [[nodiscard]] int digitAt(int position) const {
    if (position >= 0) {
      const int k = static_cast<int>(integer_.size()) - 1 - position;
      return k >= 0 ? integer_[k] - '0' : 0;
    }
    const int k = -position - 1;
    return k < static_cast<int>(fraction_.size()) ? fraction_[k] - '0' : 0;
  }

  // Position of the first non-zero digit (0 when the value is below 1 or zero).
  [[nodiscard]] int leadingPosition() const {
    for (std::size_t k = 0; k < integer_.size(); ++k)
      if (integer_[k] != '0') return static_cast<int>(integer_.size() - 1 - k);
    return 0;
  }

  // True when no digit below the given position is non-zero.
  [[nodiscard]] bool nothingBelow(int position) const {
    for (int p = std::min(position - 1, static_cast<int>(integer_.size()) - 1); p >= 0; --p)
      if (digitAt(p) != 0) return false;
    return static_cast<int>(fraction_.size()) <= std::max(0, -position);
  }

  [[nodiscard]] const std::string& integerDigits() const { return integer_; }

 private:
  std::string integer_;
  std::string fraction_;
};

// The decimal text of a >= 0 with n digits, cut, done in exact decimal arithmetic.
std::string exactDecimalDigits(double a, int n) {
  const ExactDecimal exact(a);
  std::string text;
  int p = exact.leadingPosition();
  int k = 0;
  for (;;) {
    text += static_cast<char>('0' + exact.digitAt(p));
    ++k;
    if (p < 1 && exact.nothingBelow(p)) return text;
    if (k == n) break;
    if (p == 0) text += '.';
    --p;
  }
  if (p > 0) text.append(static_cast<std::size_t>(p), '0');
  return text;
}

// The arc-seconds text (two integer digits, up to four decimals, cut), exactly.
std::string exactSecondsText(double a) {
  const ExactDecimal exact(a);
  std::string text;
  for (int p = 1; p >= -4; --p) {
    text += static_cast<char>('0' + exact.digitAt(p));
    if (p < 1 && exact.nothingBelow(p)) return text;
    if (p == 0) text += '.';
  }
  return text;
}

bool isDigitValue(float d) { return d >= 0 && d <= 9; }

// The decimal position of the first digit of A > 0: the largest p with 10^p <= A, and 0
// below 10. The digit steps start there. They would start as well one place higher,
// where the first step finds the digit 0 and moves down: what ln A / ln 10 + 0.01
// rounds to, a place higher for values just below a power of ten, gives the same
// digits. Found from A's binary exponent and the table of powers instead of a logarithm.
int leadingPosition(double A) {
  if (!(A >= 10)) return 0;
  int e = 0;
  std::frexp(A, &e);  // A lies in [2^(e-1), 2^e)
  // Just under log10(2), so that p does not exceed the true position; the loop below
  // brings it up.
  int p = static_cast<int>((e - 1) * 0.30102999566398114);
  while (p < MAX_POWER && powerOfTen(p + 1) <= A) ++p;
  return p;
}

// floor(q) as the digit steps take it: for the quotients of a digit, 0 <= q < 10, the
// truncation to an integer is the floor and costs no call.
double floorOfQuotient(double q) { return q >= 0 && q < 16 ? static_cast<double>(static_cast<int>(q)) : std::floor(q); }

}  // namespace

std::string DSPDCM(double x, int n) {
  if (!std::isfinite(x)) return {};
  // The digit loop steps below the units place once per digit, so the count bounds
  // the powers of ten it reaches.
  n = std::clamp(n, MIN_DIGITS, MAX_DIGITS);
  if (x == 0) return "+0";
  // The sign, at most 12 digits and the point; zeros of a large integer part are
  // appended at the end.
  std::array<char, 2 + MAX_DIGITS> text{};
  std::size_t length = 0;
  text[length++] = signCharacter(x);
  double A = std::fabs(x);
  int P = leadingPosition(A);
  int K = 0;
  for (;;) {
    const double power = powerOfTen(P);
    const float D = static_cast<float>(floorOfQuotient(A / power));
    A = A - static_cast<double>(D) * power;
    if (K == 0 && D == 0 && P > 0) {
      --P;
      continue;
    }
    // Near a digit boundary the double remainders can step outside 0..9; the
    // text then comes from the exact decimal value of x instead.
    if (!isDigitValue(D)) {
      std::string exact = exactDecimalDigits(std::fabs(x), n);
      exact.insert(exact.begin(), text[0]);
      return exact;
    }
    text[length++] = static_cast<char>('0' + static_cast<int>(D));
    ++K;
    if (P < 1 && A == 0) return {text.data(), length};
    if (K == n) break;
    if (P == 0) text[length++] = '.';
    --P;
  }
  std::string result(text.data(), length);
  if (P > 0) result.append(static_cast<std::size_t>(P), '0');
  return result;
}

std::string unsignedText(double x, int n) {
  const std::string text = DSPDCM(x, n);
  return text.empty() ? text : text.substr(1);
}

std::string decimalDegreesText(double degrees) { return DSPDCM(degrees, 11); }

AngleTexts sexagesimalTexts(double x) {
  AngleTexts t;
  DSPSEXA(x, t.degrees, t.minutes, t.seconds);
  return t;
}

void DSPSEXA(double x, std::string& D, std::string& M, std::string& S) {
  if (!std::isfinite(x)) {
    D.clear();
    M.clear();
    S.clear();
    return;
  }
  if (x == 0) {
    D = "+0";
    M = "00";
    S = "00";
    return;
  }
  D.assign(1, signCharacter(x));
  double A = std::fabs(x);

  // Whole degrees. Three digits cover every angle below 1000; larger ones (a
  // grid-to-geographic result is never folded) get all their digits.
  bool exactDegrees = A >= 1000;
  if (!exactDegrees) {
    std::string digits;
    int K = 0;
    for (int P = 2; P >= 0; --P) {
      const double power = powerOfTen(P);
      const float G = static_cast<float>(std::floor(A / power));
      A = A - static_cast<double>(G) * power;
      if (!isDigitValue(G)) {
        exactDegrees = true;
        break;
      }
      if (K > 0 || G > 0 || P == 0) {
        digits += static_cast<char>('0' + static_cast<int>(G));
        ++K;
      }
    }
    if (!exactDegrees) D += digits;
  }
  if (exactDegrees) {
    const double whole = std::floor(std::fabs(x));
    std::string digits = ExactDecimal(whole).integerDigits();
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    D += digits;
    A = std::fabs(x) - whole;  // exact (Sterbenz): whole is 0 or at least half of |x|
  }

  if (A == 0) {
    M = "00";
    S = "00";
    return;
  }
  A = A * 60;
  const double minutes = std::floor(A);
  const int m = static_cast<int>(minutes);
  M = {static_cast<char>('0' + m / 10 % 10), static_cast<char>('0' + m % 10)};
  A = (A - minutes) * 60;
  if (A == 0) {
    S = "00";
    return;
  }

  const double seconds = A;
  S.clear();
  for (int P = 1; P >= -4; --P) {
    const double power = powerOfTen(P);
    const float G = static_cast<float>(std::floor(A / power));
    A = A - static_cast<double>(G) * power;
    if (!isDigitValue(G)) {
      S = exactSecondsText(seconds);
      return;
    }
    S += static_cast<char>('0' + static_cast<int>(G));
    if (P < 1 && A == 0) return;
    if (P == 0) S += '.';
  }
}

}  // namespace velqora
