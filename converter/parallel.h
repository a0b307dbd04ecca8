#pragma once

#include <cstddef>
#include <functional>

namespace velqora::convert {

// How many conversions usefully run at once here: the processor's threads, at most 8.
[[nodiscard]] unsigned availableThreads();

// Runs work(0) to work(count - 1) at once, the first on the calling thread, and returns
// when all have ended; an exception of one is thrown again here. Where the C++ library
// has no threads (mingw's win32 thread model) they run one after the other.
void runTogether(std::size_t count, const std::function<void(std::size_t)>& work);

}  // namespace velqora::convert
