#pragma once

#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include "qt/field_edit.h"
#include "qt/main_window.h"
#include "tests/scratch_dir.h"
#include "window/handlers.h"

namespace velqora::testing {

inline std::string bundledData() { return std::string(VELQORA_SOURCE_DIR) + "/data"; }

// The window in the bundled data folder, recording its messages.
class WindowOnBundledData {
public:
  WindowOnBundledData() : here_(bundledData()) {
    resetGlobals();
    window.setMessageSink([this](const std::string& message) { messages.push_back(message); });
  }
  ~WindowOnBundledData() { resetGlobals(); }

  // The program's start-up, then the window opens.
  void start() {
    error = startUp(window.form());
    window.show();
  }

  [[nodiscard]] FieldEdit& field(Field f) const { return *window.field(f); }
  [[nodiscard]] QComboBox& list(List l) const { return *window.list(l); }

private:
  WorkingDirectory here_;

public:
  MainWindow window;
  std::vector<std::string> messages;
  std::optional<StartUpFailure> error;
};

}  // namespace velqora::testing
