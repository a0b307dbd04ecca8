#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "win32/gdi_handles.h"
#include "win32/win32_form.h"
#include "window/form.h"
#include "window/grid_catalogue.h"
#include "window/menu_bar.h"

namespace velqora {

struct BoundHandler;

// MAINFORM: a fixed-size top-level window with its menu bar and every control of the
// layout table in the client area, in its creation order (the focus order), laid out at
// the window's DPI and again when that changes. The seven handlers run on the user's
// button presses and list changes; the menus' shortcuts work from every control.
class MainWindow {
public:
  // Creates the window, hidden, with all its controls, centred on its screen's work area.
  explicit MainWindow(HINSTANCE instance);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  [[nodiscard]] HWND handle() const { return window_; }
  [[nodiscard]] Form& form() { return *form_; }
  // Tests and the replay tool record messages instead of showing them.
  void setMessageSink(Win32Form::MessageSink sink) { form_->setMessageSink(std::move(sink)); }

  [[nodiscard]] HWND field(Field field) const { return fields_.at(field); }
  [[nodiscard]] HWND list(List list) const { return lists_.at(list); }
  [[nodiscard]] HWND button(int number) const { return buttons_.at(number); }
  // The control of that name ("EDIT5", "TEXT64"), or nullptr.
  [[nodiscard]] HWND control(std::string_view name) const;
  [[nodiscard]] UINT dpi() const { return dpi_; }

  void show(int showCommand);

  // Runs the window's events until it is closed; returns the program's exit status.
  int runMessageLoop();

  // Grid > Find a grid…: the catalogue, then the modal Find dialog; a pick fills the fields.
  void findGrid();
  // The catalogue as Find opens it (read on the first Find); nullptr when it cannot be read.
  const GridCatalogue* openGridCatalogue();
  // A grid picked in the Find dialog: its texts go into the fields and its name into the title.
  void pickGrid(const CatalogueEntry& entry);
  [[nodiscard]] std::string title() const;  // UTF-8
  // File > Convert a file…: the fields read as a conversion reads them, then the modal
  // choices dialog, the conversion on a worker thread under a modal progress dialog,
  // and the summary box.
  void convertFile();

private:
  struct AcceleratorDeleter {
    void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
  };

  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void createControls(HINSTANCE instance);
  // Fonts, positions and sizes at that DPI; the window keeps its top-left corner there.
  void layOut(UINT dpi, POINT topLeft);
  void centreOnWorkArea();
  void onCommand(int id, int code, HWND control);
  void carryOut(MenuCommand command);
  void runHandler(const BoundHandler& handler);
  // The user changed the ellipsoid or grid fields: the title no longer names a grid.
  void plainTitle();

  HWND window_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  FontHandle font_;
  FontHandle boldFont_;
  std::array<HWND, FIELD_COUNT + 1> fields_{};
  std::array<HWND, LIST_COUNT + 1> lists_{};
  std::array<HWND, 5> buttons_{};
  std::array<HWND, 73> labels_{};
  HWND focusWhenInactive_ = nullptr;
  std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDeleter> shortcuts_;
  std::unique_ptr<Win32Form> form_;
  GridCatalogue catalogue_;
};

}  // namespace velqora
