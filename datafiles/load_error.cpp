#include "datafiles/loaders.h"

namespace velqora {

std::string LoadError::report() const {
  // A file that cannot be opened has no line to name.
  if (line <= 0) return file + ": " + cause;
  return file + ", line " + std::to_string(line) + ": " + cause;
}

}  // namespace velqora
