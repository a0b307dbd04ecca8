#include "tools/epsg/proj_db.h"

#include <memory>
#include <stdexcept>

namespace velqora::epsg {

namespace {

struct StatementCloser {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementCloser>;

Statement prepare(sqlite3* db, const std::string& sql, const std::string& code) {
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) {
    throw std::runtime_error(std::string("proj.db: ") + sqlite3_errmsg(db));
  }
  Statement statement(s);
  sqlite3_bind_text(s, 1, code.c_str(), -1, SQLITE_TRANSIENT);
  return statement;
}

int codeColumn(sqlite3_stmt* s, int column) {
  const auto* text = sqlite3_column_text(s, column);
  return text == nullptr ? 0 : std::atoi(reinterpret_cast<const char*>(text));
}

std::optional<double> optionalColumn(sqlite3_stmt* s, int column) {
  if (sqlite3_column_type(s, column) == SQLITE_NULL) return std::nullopt;
  return sqlite3_column_double(s, column);
}

}  // namespace

ProjDatabase::ProjDatabase(const std::string& path) {
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : "cannot open";
    sqlite3_close(db_);
    throw std::runtime_error(path + ": " + message);
  }
}

ProjDatabase::~ProjDatabase() { sqlite3_close(db_); }

std::vector<std::pair<int, DatasetValue>> ProjDatabase::conversionParameters(const std::string& code) const {
  // The table holds up to seven parameters a row, in columns param1_... to param7_...
  std::string sql = "SELECT ";
  for (int i = 1; i <= 7; ++i) {
    const std::string p = "param" + std::to_string(i);
    sql += (i > 1 ? ", " : "") + p + "_code, " + p + "_value, " + p + "_uom_code";
  }
  sql += " FROM conversion_table WHERE auth_name = 'EPSG' AND code = ?1";
  const Statement s = prepare(db_, sql, code);
  std::vector<std::pair<int, DatasetValue>> parameters;
  if (sqlite3_step(s.get()) != SQLITE_ROW) return parameters;
  for (int i = 0; i < 7; ++i) {
    if (sqlite3_column_type(s.get(), 3 * i) == SQLITE_NULL) continue;
    parameters.emplace_back(codeColumn(s.get(), 3 * i),
                            DatasetValue{sqlite3_column_double(s.get(), 3 * i + 1), codeColumn(s.get(), 3 * i + 2)});
  }
  return parameters;
}

std::optional<DatasetEllipsoid> ProjDatabase::ellipsoid(const std::string& code) const {
  const Statement s = prepare(db_,
                              "SELECT semi_major_axis, uom_code, inv_flattening, semi_minor_axis FROM ellipsoid "
                              "WHERE auth_name = 'EPSG' AND code = ?1",
                              code);
  if (sqlite3_step(s.get()) != SQLITE_ROW) return std::nullopt;
  DatasetEllipsoid e;
  e.semiMajorAxis = {sqlite3_column_double(s.get(), 0), codeColumn(s.get(), 1)};
  e.inverseFlattening = optionalColumn(s.get(), 2);
  e.semiMinorAxis = optionalColumn(s.get(), 3);
  return e;
}

std::optional<DatasetValue> ProjDatabase::primeMeridian(const std::string& code) const {
  const Statement s =
      prepare(db_, "SELECT longitude, uom_code FROM prime_meridian WHERE auth_name = 'EPSG' AND code = ?1", code);
  if (sqlite3_step(s.get()) != SQLITE_ROW) return std::nullopt;
  return DatasetValue{sqlite3_column_double(s.get(), 0), codeColumn(s.get(), 1)};
}

}  // namespace velqora::epsg
