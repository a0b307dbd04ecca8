#include "qt/convert_progress.h"

#include <cmath>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "qt/dialog_layout.h"
#include "window/convert_dialog.h"
#include "window/convert_file.h"
#include "window/layout.h"

namespace velqora {

ConvertProgressDialog::ConvertProgressDialog(FileConversionRun& run, QWidget* parent) : QDialog(parent), run_(run) {
  setWindowTitle(fromUtf8(CONVERT_DIALOG_TITLE));
  setModal(true);
  // Only Cancel ends it early, through the run.
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  const double dpi = logicalDpiX();
  const ConvertProgressLayout& layout = CONVERT_PROGRESS_LAYOUT;
  setFixedSize(unitsToPixels(layout.width, dpi), unitsToPixels(layout.height, dpi));

  auto* label = new QLabel(QString::fromStdString(convertingText(run.choices().input)), this);
  label->setTextFormat(Qt::PlainText);
  place(*label, layout.label, dpi);
  bar_ = new QProgressBar(this);
  bar_->setRange(0, 0);  // busy until the input's size is known
  place(*bar_, layout.bar, dpi);
  cancel_ = new QPushButton(fromUtf8(CONVERT_CANCEL), this);
  place(*cancel_, layout.cancel, dpi);
  connect(cancel_, &QPushButton::clicked, this, &ConvertProgressDialog::reject);

  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, &ConvertProgressDialog::look);
  timer->start(CONVERT_PROGRESS_POLL_MS);
}

void ConvertProgressDialog::look() {
  if (run_.finished()) {
    QDialog::accept();
    return;
  }
  if (const auto share = run_.progress()) {
    bar_->setRange(0, CONVERT_PROGRESS_STEPS);
    bar_->setValue(static_cast<int>(std::floor(*share * CONVERT_PROGRESS_STEPS)));
  }
}

void ConvertProgressDialog::reject() {
  run_.cancel();
  cancel_->setEnabled(false);
  cancel_->setText(fromUtf8(CONVERT_CANCELLING));
}

}  // namespace velqora
