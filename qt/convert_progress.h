#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace velqora {

class FileConversionRun;

// The modal progress dialog of a file conversion on its worker thread: the share of
// the input read, and Cancel. exec() returns when the run has ended. Cancel, Escape and
// closing the dialog ask the run to stop and wait for it; the window takes no input
// meanwhile.
class ConvertProgressDialog final : public QDialog {
 public:
  ConvertProgressDialog(FileConversionRun& run, QWidget* parent);

  [[nodiscard]] QPushButton* cancelButton() const { return cancel_; }

  // Cancel, Escape and the close button.
  void reject() override;

 private:
  void look();

  FileConversionRun& run_;
  QProgressBar* bar_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace velqora
