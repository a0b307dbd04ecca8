#include "converter/parallel.h"

#include <algorithm>
#include <exception>
#include <vector>

#ifndef _WIN32
#include <thread>
#endif

namespace velqora::convert {

#ifdef _WIN32

unsigned availableThreads() { return 1; }

void runTogether(std::size_t count, const std::function<void(std::size_t)>& work) {
  for (std::size_t i = 0; i < count; ++i) work(i);
}

#else

unsigned availableThreads() { return std::clamp(std::thread::hardware_concurrency(), 1U, 8U); }

void runTogether(std::size_t count, const std::function<void(std::size_t)>& work) {
  std::vector<std::exception_ptr> failures(count);
  const auto guarded = [&](std::size_t i) {
    try {
      work(i);
    } catch (...) {
      failures[i] = std::current_exception();
    }
  };
  {
    std::vector<std::jthread> others;
    for (std::size_t i = 1; i < count; ++i) others.emplace_back(guarded, i);
    if (count > 0) guarded(0);
  }
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
}

#endif

}  // namespace velqora::convert
