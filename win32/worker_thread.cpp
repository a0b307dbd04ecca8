#include "win32/worker_thread.h"

#include <process.h>

#include <cstdint>
#include <stdexcept>
#include <utility>

namespace velqora {

WorkerThread::WorkerThread(std::function<void()> task) : task_(std::move(task)) {
  // _beginthreadex rather than CreateThread: the task uses the C runtime.
  const std::uintptr_t handle = _beginthreadex(nullptr, 0, &WorkerThread::entry, this, 0, nullptr);
  if (handle == 0) throw std::runtime_error("cannot start a thread for the conversion");
  thread_ = reinterpret_cast<HANDLE>(handle);
}

WorkerThread::~WorkerThread() {
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
}

unsigned __stdcall WorkerThread::entry(void* self) {
  static_cast<WorkerThread*>(self)->task_();
  return 0;
}

}  // namespace velqora
