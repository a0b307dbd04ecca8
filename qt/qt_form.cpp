#include "qt/qt_form.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include <QAbstractItemView>
#include <QComboBox>
#include <QSignalBlocker>
#include <QStyle>

#include "qt/field_edit.h"

namespace velqora {

namespace {

// The open list is at least as wide as its widest entry, beside its scroll bar, so no
// entry is cut (a grid system's name ends with its ellipsoid's, in brackets).
void widenOpenList(QComboBox& combo, int row) {
  QAbstractItemView* view = combo.view();
  const int entry = view->sizeHintForIndex(combo.model()->index(row, 0)).width();
  const int scrollBar = combo.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
  view->setMinimumWidth(std::max(view->minimumWidth(), entry + scrollBar + 2 * view->frameWidth()));
}

}  // namespace

QtForm::QtForm(const std::array<FieldEdit*, FIELD_COUNT + 1>& fields,
               const std::array<QComboBox*, LIST_COUNT + 1>& lists, MessageSink sink)
    : fields_(fields), lists_(lists), sink_(std::move(sink)) {}

FieldEdit* QtForm::field(Field field) const {
  if (field < 1 || field > FIELD_COUNT) throw std::out_of_range("no such field");
  return fields_[field];
}

QComboBox* QtForm::list(List list) const {
  if (list < 1 || list > LIST_COUNT) throw std::out_of_range("no such list");
  return lists_[list];
}

std::string QtForm::text(Field f) const { return field(f)->text().toStdString(); }

void QtForm::setText(Field f, const std::string& text) { field(f)->writeText(QString::fromStdString(text)); }

void QtForm::clearList(List l) {
  QComboBox* combo = list(l);
  const QSignalBlocker blocker(combo);
  combo->clear();
  combo->view()->setMinimumWidth(0);
}

void QtForm::appendEntry(List l, const std::string& entry) {
  QComboBox* combo = list(l);
  const QSignalBlocker blocker(combo);
  const int selected = combo->currentIndex();
  combo->addItem(QString::fromStdString(entry));
  widenOpenList(*combo, combo->count() - 1);
  // QComboBox selects the first entry added to an empty list; appending selects nothing.
  if (combo->currentIndex() != selected) combo->setCurrentIndex(selected);
}

void QtForm::selectPosition(List l, int position) {
  QComboBox* combo = list(l);
  if (position < 0 || position >= combo->count())
    throw std::out_of_range("selectPosition: the list holds no entry at that position");
  const QSignalBlocker blocker(combo);
  combo->setCurrentIndex(position);
}

int QtForm::selectedPosition(List l) const { return list(l)->currentIndex(); }

int QtForm::entryCount(List l) const { return list(l)->count(); }

void QtForm::showMessage(const std::string& message) {
  if (sink_) sink_(message);
}

}  // namespace velqora
