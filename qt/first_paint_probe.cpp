#include "qt/first_paint_probe.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace velqora {

namespace {

long long nowNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// VmRSS and VmHWM of this process in kB, from /proc.
void readResidentMemory(long& rssKb, long& peakKb) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) rssKb = std::atol(line.c_str() + 6);
    if (line.rfind("VmHWM:", 0) == 0) peakKb = std::atol(line.c_str() + 6);
  }
}

class FirstPaintProbe final : public QObject {
public:
  FirstPaintProbe(QWidget& window, long long startNs) : QObject(&window), startNs_(startNs) {
    window.installEventFilter(this);
  }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      // The children paint and the backing store is flushed after the window's own
      // paint event; the zero timer fires once all that is done.
      QTimer::singleShot(0, this, [this] { report(); });
    }
    return QObject::eventFilter(watched, event);
  }

private:
  void report() const {
    const double ms = static_cast<double>(nowNanoseconds() - startNs_) / 1e6;
    long rss = 0;
    long peak = 0;
    readResidentMemory(rss, peak);
    std::printf("first paint %.1f ms, resident %.1f MB (peak %.1f MB)\n", ms, rss / 1024.0, peak / 1024.0);
    std::fflush(stdout);
    QCoreApplication::quit();
  }

  long long startNs_;
  bool seen_ = false;
};

}  // namespace

void installFirstPaintProbe(QWidget& window) {
  if (std::getenv("VELQORA_FIRST_PAINT_PROBE") == nullptr) return;
  long long start = nowNanoseconds();
  if (const char* given = std::getenv("VELQORA_START_NS")) start = std::atoll(given);
  new FirstPaintProbe(window, start);  // owned by the window
}

}  // namespace velqora
