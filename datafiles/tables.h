#pragma once

#include <array>
#include <string>

namespace velqora {

// The tables filled from the data files. They hold texts exactly as the bytes read,
// never numbers; only the rows below each count are meaningful.
inline constexpr int PRJ_ROWS = 17;
inline constexpr int GRIDSYS_ROWS = 17;
inline constexpr int EARTH_ROWS = 25;
inline constexpr int GRP_ROWS = 30;

inline std::array<std::string, PRJ_ROWS> PRJKEY{};   // projection keys by code
inline int PRJCOUNT = 0;
inline std::array<std::array<std::string, 2>, GRIDSYS_ROWS> GRIDSYS{};  // name, grid-group file
inline std::array<std::array<std::string, 5>, EARTH_ROWS> EARTHTAB{};   // name, a, b, 1/f, 1/e
inline std::array<std::array<std::string, 17>, GRP_ROWS> GRPTAB{};      // name, sixteen fields
inline int GRPCOUNT = 0;

}  // namespace velqora
