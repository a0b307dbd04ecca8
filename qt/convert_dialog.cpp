#include "qt/convert_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "qt/alert_box.h"
#include "qt/dialog_layout.h"
#include "window/layout.h"

namespace velqora {

namespace {

QString fileFilter() {
  return fromUtf8(CONVERT_FILE_KINDS) + " (" + fromUtf8(CONVERT_FILE_PATTERNS) + ");;" + fromUtf8(CONVERT_ALL_FILES) +
         " (*)";
}

}  // namespace

ConvertDialog::ConvertDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(fromUtf8(CONVERT_DIALOG_TITLE));
  setModal(true);
  const double dpi = logicalDpiX();
  const ConvertDialogLayout& layout = CONVERT_LAYOUT;
  setFixedSize(unitsToPixels(layout.width, dpi), unitsToPixels(layout.height, dpi));

  // Created in focus order.
  auto* inputLabel = new QLabel(fromUtf8(CONVERT_INPUT_LABEL), this);
  place(*inputLabel, layout.inputLabel, dpi);
  input_ = new QLineEdit(this);
  place(*input_, layout.input, dpi);
  inputLabel->setBuddy(input_);
  auto* inputBrowse = new QPushButton(fromUtf8(CONVERT_BROWSE), this);
  inputBrowse->setAutoDefault(false);
  place(*inputBrowse, layout.inputBrowse, dpi);

  auto* directionLabel = new QLabel(fromUtf8(CONVERT_DIRECTION_LABEL), this);
  directionLabel->setTextFormat(Qt::PlainText);
  place(*directionLabel, layout.directionLabel, dpi);
  auto* group = new QButtonGroup(this);
  for (std::size_t d = 0; d < CONVERT_DIRECTIONS.size(); ++d) {
    directions_[d] = new QRadioButton(fromUtf8(CONVERT_DIRECTIONS[d].text), this);
    group->addButton(directions_[d]);
    place(*directions_[d], layout.directions[d], dpi);
  }
  directions_[0]->setChecked(true);
  derived_ = new QCheckBox(fromUtf8(CONVERT_DERIVED), this);
  place(*derived_, layout.derived, dpi);

  auto* outputLabel = new QLabel(fromUtf8(CONVERT_OUTPUT_LABEL), this);
  place(*outputLabel, layout.outputLabel, dpi);
  output_ = new QLineEdit(this);
  place(*output_, layout.output, dpi);
  outputLabel->setBuddy(output_);
  auto* outputBrowse = new QPushButton(fromUtf8(CONVERT_BROWSE), this);
  outputBrowse->setAutoDefault(false);
  place(*outputBrowse, layout.outputBrowse, dpi);

  auto* ok = new QPushButton(fromUtf8(CONVERT_OK), this);
  ok->setDefault(true);  // Enter in a field converts
  place(*ok, layout.ok, dpi);
  auto* cancel = new QPushButton(fromUtf8(CONVERT_CANCEL), this);
  cancel->setAutoDefault(false);
  place(*cancel, layout.cancel, dpi);

  connect(inputBrowse, &QPushButton::clicked, this, &ConvertDialog::browseInput);
  connect(outputBrowse, &QPushButton::clicked, this, &ConvertDialog::browseOutput);
  connect(input_, &QLineEdit::textChanged, this, &ConvertDialog::inputChanged);
  connect(ok, &QPushButton::clicked, this, &ConvertDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &ConvertDialog::reject);
  input_->setFocus();
}

QRadioButton* ConvertDialog::directionButton(FileDirection direction) const {
  for (std::size_t d = 0; d < CONVERT_DIRECTIONS.size(); ++d)
    if (CONVERT_DIRECTIONS[d].direction == direction) return directions_[d];
  return nullptr;
}

FileConversionChoices ConvertDialog::choices() const {
  FileConversionChoices c;
  c.input = input_->text().toStdString();
  c.output = output_->text().toStdString();
  for (std::size_t d = 0; d < CONVERT_DIRECTIONS.size(); ++d)
    if (directions_[d]->isChecked()) c.direction = CONVERT_DIRECTIONS[d].direction;
  c.derived = derived_->isChecked();
  return c;
}

void ConvertDialog::accept() {
  if (const std::string_view missing = missingChoice(choices()); !missing.empty()) {
    showAlert(this, fromUtf8(missing));
    (missing == CONVERT_NO_INPUT ? input_ : output_)->setFocus();
    return;
  }
  QDialog::accept();
}

void ConvertDialog::browseInput() {
  const QString start = input_->text().isEmpty() ? QDir::currentPath() : QFileInfo(input_->text()).absolutePath();
  const QString file = QFileDialog::getOpenFileName(this, fromUtf8(CONVERT_OPEN_TITLE), start, fileFilter());
  if (!file.isEmpty()) input_->setText(QDir::toNativeSeparators(file));
}

void ConvertDialog::browseOutput() {
  const QString proposed = output_->text().isEmpty() ? QDir::currentPath() : output_->text();
  // The save dialog asks before it replaces a file.
  const QString file = QFileDialog::getSaveFileName(this, fromUtf8(CONVERT_SAVE_TITLE), proposed, fileFilter());
  if (!file.isEmpty()) output_->setText(QDir::toNativeSeparators(file));
}

void ConvertDialog::inputChanged(const QString& text) {
  const std::string input = text.toStdString();
  output_->setText(QString::fromStdString(outputAfterInputChange(inputBefore_, input, output_->text().toStdString())));
  inputBefore_ = input;
}

}  // namespace velqora
