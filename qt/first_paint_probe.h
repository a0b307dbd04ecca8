#pragma once

class QWidget;

namespace velqora {

// For measuring start-up: when the environment variable VELQORA_FIRST_PAINT_PROBE is
// set, the program prints, once the window has been painted for the first time, the
// time since start and its resident memory to standard output, then quits.
// The start is VELQORA_START_NS (nanoseconds of CLOCK_REALTIME, set by the caller just
// before it starts the program) when given, else the moment the probe was installed.
void installFirstPaintProbe(QWidget& window);

}  // namespace velqora
