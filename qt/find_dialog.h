#pragma once

#include <QDialog>

#include "window/find_dialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace velqora {

class FindModel;

// The modal Find dialog (window/find_dialog.h) over the catalogue: the search field
// filters the list at each keystroke, Up and Down there move the list's highlight, Enter
// or a double-click picks the highlighted grid, Escape cancels.
class FindDialog final : public QDialog {
 public:
  FindDialog(const GridCatalogue& catalogue, QWidget* parent);
  ~FindDialog() override;

  // The grid picked, once the dialog has been accepted; nullptr before or when cancelled.
  [[nodiscard]] const CatalogueEntry* picked() const { return picked_; }

  [[nodiscard]] QLineEdit* searchField() const { return search_; }
  [[nodiscard]] QTreeView* list() const { return list_; }
  [[nodiscard]] QLabel* seriesErrorLine() const { return seriesError_; }

  // Picks the highlighted grid; with none highlighted the dialog stays open.
  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void search(const QString& text);
  void showSeriesError();

  GridFinder finder_;
  FindModel* model_ = nullptr;
  QLineEdit* search_ = nullptr;
  QTreeView* list_ = nullptr;
  QLabel* seriesError_ = nullptr;
  const CatalogueEntry* picked_ = nullptr;
};

}  // namespace velqora
