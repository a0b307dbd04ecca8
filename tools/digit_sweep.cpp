// Prints the window's texts for many conversions, one line each, so that the outputs
// of two builds (Linux and the 32-bit Windows program) can be compared digit for digit.
//
// For every projection code 1 to 6 it converts pseudo-random points inside realistic
// grids through the real handlers on an in-memory form: the point typed in decimal
// degrees and converted forward (with the derived values), then the X and Y shown
// converted back to geographic coordinates. The points come from a small
// generator of our own with a fixed seed, so every platform draws the same texts.
//
// Usage: digit_sweep [conversions per projection, default 10000]
// Output: a "#" line naming the columns, then per conversion the code, its number and
// the texts of EDIT1 to EDIT4 and EDIT14 to EDIT32 plus the messages, once after the
// forward command ("f.") and once after the grid-to-geographic one ("b."), tab-separated.

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "window/handlers.h"
#include "window/memory_form.h"

namespace {

using namespace velqora;

// SplitMix64: a few integer operations, the same numbers on every platform.
class Generator {
public:
  explicit Generator(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform enough in [lo, hi].
  std::int64_t between(std::int64_t lo, std::int64_t hi) {
    return lo + static_cast<std::int64_t>(next() % static_cast<std::uint64_t>(hi - lo + 1));
  }

private:
  std::uint64_t state_;
};

struct Grid {
  int code;
  // EDIT1 to EDIT4: a (km), b (km), 1/f, 1/e; two given, the others completed.
  std::array<const char*, 4> ellipsoid;
  // Origin longitude and latitude (degrees, arc-minutes, arc-seconds), X and Y shift
  // (km), scale factor.
  std::array<const char*, 9> origin;
  // Standard parallels (degrees, arc-minutes, arc-seconds), two-parallel Lambert only.
  std::array<const char*, 6> parallels;
  // The area the points are drawn from, in degrees (whole tenths).
  double west, east, south, north;
};

constexpr std::array<const char*, 4> WGS84{"6378.137", "", "298.257223563", ""};
constexpr std::array<const char*, 4> GRS80{"6378.137", "", "298.257222101", ""};
constexpr std::array<const char*, 4> BESSEL{"6377.397155", "", "299.1528128", ""};
constexpr std::array<const char*, 4> AIRY{"6377.563396", "", "299.3249646", ""};
constexpr std::array<const char*, 4> CLARKE1866{"6378.2064", "6356.5838", "", ""};
constexpr std::array<const char*, 4> CLARKE1880_BENOIT{"6378.300789", "6356.566435", "", ""};
constexpr std::array<const char*, 4> CLARKE1880_IGN{"6378.2492", "", "293.4660213", ""};
constexpr std::array<const char*, 4> KRASSOWSKY{"6378.245", "", "298.3", ""};
constexpr std::array<const char*, 6> NO_PARALLELS{"", "", "", "", "", ""};

// Grids of the bundled lists and a few typed ones, several per projection.
const std::vector<Grid> GRIDS = {
    // Transverse Mercator: UTM north and south, Gauss-Krueger, British National Grid.
    {1, WGS84, {"141", "0", "0", "0", "0", "0", "500", "0", "0.9996"}, NO_PARALLELS, 137.5, 144.5, 0, 72},
    {1, WGS84, {"15", "0", "0", "0", "0", "0", "500", "10000", "0.9996"}, NO_PARALLELS, 11.5, 18.5, -60, 0},
    {1, BESSEL, {"9", "0", "0", "0", "0", "0", "3500", "0", "1"}, NO_PARALLELS, 7.5, 10.5, 47, 55},
    {1, AIRY, {"-2", "0", "0", "49", "0", "0", "400", "-100", "0.9996012717"}, NO_PARALLELS, -8, 2, 49.5, 61},
    // Oblique Mercator: Swiss LV03 and a typed grid in Japan.
    {2, BESSEL, {"7", "26", "22.5", "46", "57", "8.66", "600", "200", "1"}, NO_PARALLELS, 5.8, 10.6, 45.7, 47.9},
    {2, GRS80, {"139", "45", "0", "36", "0", "0", "0", "0", "0.9999"}, NO_PARALLELS, 136, 143.5, 33.5, 38.5},
    // Two-parallel Lambert: Texas North Central and Central, a southern continental one.
    {3, GRS80, {"-98", "30", "0", "31", "40", "0", "600", "2000", "1"}, {"33", "32", "58", "8", "0", "0"},
     -103, -94, 31.5, 34.5},
    {3, GRS80, {"-100", "20", "0", "29", "40", "0", "700", "3000", "1"}, {"31", "30", "53", "7", "0", "0"},
     -106.5, -93.5, 28, 32},
    {3, GRS80, {"134", "0", "0", "-32", "0", "0", "1000", "1000", "1"}, {"-18", "-36", "0", "0", "0", "0"},
     113, 154, -39, -11},
    // One-parallel Lambert: Jamaica and a typed French-style zone.
    {4, CLARKE1866, {"-77", "0", "0", "18", "0", "0", "250", "150", "1"}, NO_PARALLELS, -78.5, -76.1, 17.6, 18.6},
    {4, CLARKE1880_IGN, {"2", "20", "14.025", "46", "48", "0", "600", "200", "0.99987742"}, NO_PARALLELS,
     -5, 8.5, 42, 51.5},
    // Cassini-Soldner: Palestine 1923 and a typed Soldner grid around Berlin.
    {5, CLARKE1880_BENOIT, {"35", "12", "43.49", "31", "44", "2.749", "170.251555", "126.867909", "1"},
     NO_PARALLELS, 34, 36, 29.5, 33.5},
    {5, BESSEL, {"13", "37", "37.2", "52", "25", "7.1", "40", "10", "1"}, NO_PARALLELS, 12.3, 15, 51.8, 53},
    // Oblique stereographic: Dutch RD New and a typed Romanian-style grid.
    {6, BESSEL, {"5", "23", "15.5", "52", "9", "22.178", "155", "463", "0.9999079"}, NO_PARALLELS, 3.2, 7.3, 50.7,
     53.6},
    {6, KRASSOWSKY, {"25", "0", "0", "46", "0", "0", "500", "500", "0.99975"}, NO_PARALLELS, 20, 30, 43.5, 48.3},
};

constexpr std::array<Field, 9> ORIGIN_FIELDS{EDIT5, EDIT6, EDIT7, EDIT8, EDIT9, EDIT10, EDIT11, EDIT12, EDIT13};
constexpr std::array<Field, 6> PARALLEL_FIELDS{EDIT33, EDIT34, EDIT35, EDIT36, EDIT37, EDIT38};

// The fields the commands write: the ellipsoid completion and every point and result field.
std::vector<Field> printedFields() {
  std::vector<Field> fields{EDIT1, EDIT2, EDIT3, EDIT4};
  for (int f = EDIT14; f <= EDIT32; ++f) fields.push_back(static_cast<Field>(f));
  return fields;
}

constexpr std::int64_t STEPS_PER_DEGREE = 10000000;  // points typed with 7 decimals

// The decimal text of n / 10^7, built from integers so that no library's number
// formatting enters the typed text.
std::string typedDegrees(std::int64_t n) {
  const std::uint64_t m = static_cast<std::uint64_t>(n < 0 ? -n : n);
  std::string fraction = std::to_string(m % STEPS_PER_DEGREE);
  fraction.insert(0, 7 - fraction.size(), '0');
  std::string text = n < 0 ? "-" : "";
  return text.append(std::to_string(m / STEPS_PER_DEGREE)).append(".").append(fraction);
}

std::int64_t steps(double degrees) { return std::llround(degrees * 10) * (STEPS_PER_DEGREE / 10); }

void appendTexts(std::string& line, MemoryForm& form, const std::vector<Field>& fields) {
  for (Field f : fields) {
    line += '\t';
    line += form.text(f);
  }
  line += '\t';
  for (std::size_t i = 0; i < form.messages.size(); ++i) line.append(i == 0 ? "" : "|").append(form.messages[i]);
  form.messages.clear();
}

}  // namespace

int main(int argc, char** argv) {
  const long perCode = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
  if (perCode <= 0) {
    std::fprintf(stderr, "usage: digit_sweep [conversions per projection]\n");
    return 2;
  }
  const std::vector<Field> fields = printedFields();

  std::string header = "#code\tn";
  for (const char* pass : {"f.", "b."}) {
    for (Field f : fields) {
      header.append("\t").append(pass).append("EDIT").append(std::to_string(static_cast<int>(f)));
    }
    header.append("\t").append(pass).append("messages");
  }
  header += '\n';
  std::fputs(header.c_str(), stdout);

  std::string out;
  for (int code = 1; code <= 6; ++code) {
    // A generator of its own per code: a shorter sweep prints the start of a longer one.
    Generator random(20240611 + static_cast<std::uint64_t>(code));
    std::vector<const Grid*> grids;
    for (const Grid& g : GRIDS)
      if (g.code == code) grids.push_back(&g);
    MemoryForm form;
    for (int i = 0; i < 7; ++i) form.appendEntry(COMBO4, std::string("projection ").append(std::to_string(i)));
    form.selectPosition(COMBO4, code);
    for (long n = 0; n < perCode; ++n) {
      const Grid& g = *grids[static_cast<std::size_t>(n) % grids.size()];
      for (std::size_t i = 0; i < 4; ++i) form.setText(static_cast<Field>(EDIT1 + i), g.ellipsoid[i]);
      for (std::size_t i = 0; i < ORIGIN_FIELDS.size(); ++i) form.setText(ORIGIN_FIELDS[i], g.origin[i]);
      for (std::size_t i = 0; i < PARALLEL_FIELDS.size(); ++i) form.setText(PARALLEL_FIELDS[i], g.parallels[i]);
      const std::int64_t lon = random.between(steps(g.west), steps(g.east));
      const std::int64_t lat = random.between(steps(g.south), steps(g.north));

      std::string line = std::to_string(code);
      line.append("\t").append(std::to_string(n));
      form.setText(EDIT20, typedDegrees(lon));
      form.setText(EDIT21, typedDegrees(lat));
      BUTTON2_ON(form);
      appendTexts(line, form, fields);

      // Back from the X and Y texts just shown.
      BUTTON4_ON(form);
      appendTexts(line, form, fields);
      out += line;
      out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    out.clear();
  }
  return 0;
}
