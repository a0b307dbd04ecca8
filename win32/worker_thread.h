#pragma once

#include <windows.h>

#include <functional>

namespace velqora {

// A task on a thread of its own, waited for when the object goes. mingw-w64's runtime
// as these programs are built (GCC's win32 thread model) has no std::thread, so the C
// runtime starts the thread.
class WorkerThread {
public:
  // Throws std::runtime_error when no thread can be started.
  explicit WorkerThread(std::function<void()> task);
  ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

private:
  static unsigned __stdcall entry(void* self);

  std::function<void()> task_;
  HANDLE thread_ = nullptr;
};

}  // namespace velqora
