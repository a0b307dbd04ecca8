#pragma once

#include <array>
#include <string>

#include <QDialog>

#include "window/convert_dialog.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velqora {

// The modal dialog of File > "Convert a file…" (window/convert_dialog.h): the input file
// through the system's open dialog, the direction, "Include derived values", the output
// through the save dialog, proposed beside the input as its name with "-converted".
// Accepted only with both files named.
class ConvertDialog final : public QDialog {
 public:
  explicit ConvertDialog(QWidget* parent);

  [[nodiscard]] FileConversionChoices choices() const;

  [[nodiscard]] QLineEdit* inputField() const { return input_; }
  [[nodiscard]] QLineEdit* outputField() const { return output_; }
  [[nodiscard]] QRadioButton* directionButton(FileDirection direction) const;
  [[nodiscard]] QCheckBox* derivedBox() const { return derived_; }

  void accept() override;

 private:
  void browseInput();
  void browseOutput();
  void inputChanged(const QString& text);

  QLineEdit* input_ = nullptr;
  QLineEdit* output_ = nullptr;
  std::array<QRadioButton*, CONVERT_DIRECTIONS.size()> directions_{};
  QCheckBox* derived_ = nullptr;
  std::string inputBefore_;  // the input the output last followed
};

}  // namespace velqora
