#pragma once

#include <array>
#include <memory>
#include <string_view>

#include <QWidget>

#include "qt/qt_form.h"
#include "window/event_handlers.h"
#include "window/form.h"
#include "window/grid_catalogue.h"
#include "window/menu_bar.h"

class QAction;
class QComboBox;
class QMenuBar;
class QPushButton;

namespace velqora {

class FieldEdit;

// MAINFORM: the menu bar, and below it every control of the window laid out from the
// layout table in a client area of the table's size, in its creation order (the focus
// order), with the seven event handlers connected.
// Messages go to the "ALERT" box unless another sink is set.
class MainWindow final : public QWidget {
public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  [[nodiscard]] Form& form() { return *form_; }

  // Tests and the replay tool record messages instead of showing them.
  void setMessageSink(QtForm::MessageSink sink);

  [[nodiscard]] FieldEdit* field(Field field) const { return fields_.at(field); }
  [[nodiscard]] QComboBox* list(List list) const { return lists_.at(list); }
  [[nodiscard]] QPushButton* button(int number) const { return buttons_.at(number); }
  // The widget of a control by its name ("EDIT5", "TEXT64"), or nullptr.
  [[nodiscard]] QWidget* control(std::string_view name) const;

  // The area below the menu bar that holds the controls.
  [[nodiscard]] QWidget* clientArea() const { return client_; }
  [[nodiscard]] QMenuBar* menus() const { return menuBar_; }
  // The menu item that carries out the command.
  [[nodiscard]] QAction* action(MenuCommand command) const;

  // Puts the window in the middle of its screen's available area.
  void centreOnScreen();

  // Grid > Find a grid…: the catalogue, then the modal Find dialog; a pick fills the fields.
  void findGrid();
  // The catalogue as Find opens it (read on the first Find); nullptr when it cannot be read.
  const GridCatalogue* openGridCatalogue();
  // A grid picked in the Find dialog: its texts go into the fields and its name into the title.
  void pickGrid(const CatalogueEntry& entry);

  // File > Convert a file…: the fields read as a conversion reads them, then the modal
  // choices dialog, the conversion on a worker thread under a modal progress dialog,
  // and the summary box.
  void convertFile();

private:
  void buildMenus();
  void carryOut(MenuCommand command);
  void runHandler(const BoundHandler& handler);
  // The user changed the ellipsoid or grid fields: the title no longer names a grid.
  void plainTitle();

  std::array<FieldEdit*, FIELD_COUNT + 1> fields_{};
  std::array<QComboBox*, LIST_COUNT + 1> lists_{};
  std::array<QPushButton*, 5> buttons_{};
  std::array<QWidget*, 73> labels_{};
  QWidget* client_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  std::unique_ptr<QtForm> form_;
  GridCatalogue catalogue_;
};

}  // namespace velqora
