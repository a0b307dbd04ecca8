#pragma once

// The dataset's own numbers, read from PROJ's database proj.db. PROJ's C API gives
// every angle in degrees and every length in metres, computed in doubles; sexagesimal
// DMS values and lengths in feet must be converted from the values as the dataset
// wrote them, which only the database's tables hold.

#include <sqlite3.h>

#include <optional>
#include <string>
#include <vector>

namespace velqora::epsg {

struct DatasetValue {
  double value = 0;
  int uomCode = 0;  // EPSG unit of measure
};

struct DatasetEllipsoid {
  DatasetValue semiMajorAxis;
  std::optional<double> inverseFlattening;  // given for an ellipsoid defined by a and 1/f
  std::optional<double> semiMinorAxis;      // given for one defined by a and b, in a's unit
};

class ProjDatabase {
 public:
  explicit ProjDatabase(const std::string& path);
  ~ProjDatabase();
  ProjDatabase(const ProjDatabase&) = delete;
  ProjDatabase& operator=(const ProjDatabase&) = delete;

  // The parameters of an EPSG conversion by their EPSG parameter codes.
  [[nodiscard]] std::vector<std::pair<int, DatasetValue>> conversionParameters(const std::string& code) const;
  [[nodiscard]] std::optional<DatasetEllipsoid> ellipsoid(const std::string& code) const;
  // The longitude of an EPSG prime meridian from Greenwich.
  [[nodiscard]] std::optional<DatasetValue> primeMeridian(const std::string& code) const;

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace velqora::epsg
