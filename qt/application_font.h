#pragma once

class QApplication;

namespace velqora {

// Arial 11 pt for every widget, the message boxes included. Where Arial itself is
// missing, fontconfig substitutes a metric-compatible face (Liberation Sans).
void applyApplicationFont(QApplication& app);

}  // namespace velqora
