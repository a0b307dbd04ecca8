#include "qt/find_dialog.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

#include "qt/dialog_layout.h"
#include "window/layout.h"

namespace velqora {

// The finder's rows as Qt's view reads them: only the rows on the screen are asked for,
// so a new search costs a reset, not thousands of inserted rows.
class FindModel final : public QAbstractTableModel {
 public:
  FindModel(GridFinder& finder, QObject* parent) : QAbstractTableModel(parent), finder_(finder) {}

  void setQuery(const QString& query) {
    beginResetModel();
    finder_.setQuery(query.toStdString());
    endResetModel();
  }

  [[nodiscard]] int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(finder_.rowCount());
  }
  [[nodiscard]] int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(FIND_COLUMNS.size());
  }
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    const FindColumn column = FIND_COLUMNS.at(static_cast<std::size_t>(index.column()));
    // A long area of use is cut at the column's edge; its tooltip shows it whole.
    if (role == Qt::ToolTipRole && column == FindColumn::Code) return {};
    return QString::fromStdString(finder_.text(static_cast<std::size_t>(index.row()), column));
  }
  [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return fromUtf8(columnTitle(FIND_COLUMNS.at(static_cast<std::size_t>(section))));
  }

 private:
  GridFinder& finder_;
};

FindDialog::FindDialog(const GridCatalogue& catalogue, QWidget* parent) : QDialog(parent), finder_(catalogue) {
  setWindowTitle(fromUtf8(FIND_DIALOG_TITLE));
  setModal(true);
  const double dpi = logicalDpiX();
  const FindDialogLayout& layout = FIND_LAYOUT;
  setFixedSize(unitsToPixels(layout.width, dpi), unitsToPixels(layout.height, dpi));

  // Created in focus order.
  auto* prompt = new QLabel(fromUtf8(FIND_PROMPT), this);
  prompt->setTextFormat(Qt::PlainText);
  place(*prompt, layout.prompt, dpi);

  search_ = new QLineEdit(this);
  place(*search_, layout.search, dpi);
  prompt->setBuddy(search_);
  search_->installEventFilter(this);

  model_ = new FindModel(finder_, this);
  list_ = new QTreeView(this);
  list_->setModel(model_);
  list_->setRootIsDecorated(false);
  list_->setItemsExpandable(false);
  list_->setUniformRowHeights(true);  // the view need not measure every row
  list_->setAllColumnsShowFocus(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->header()->setSectionsMovable(false);
  list_->header()->setStretchLastSection(true);
  list_->setColumnWidth(0, unitsToPixels(layout.codeColumnWidth, dpi));
  list_->setColumnWidth(1, unitsToPixels(layout.nameColumnWidth, dpi));
  place(*list_, layout.list, dpi);

  seriesError_ = new QLabel(this);
  seriesError_->setTextFormat(Qt::PlainText);
  place(*seriesError_, layout.seriesError, dpi);

  auto* ok = new QPushButton(fromUtf8(FIND_OK), this);
  ok->setDefault(true);  // Enter in the search field or the list picks
  place(*ok, layout.ok, dpi);
  auto* cancel = new QPushButton(fromUtf8(FIND_CANCEL), this);
  cancel->setAutoDefault(false);
  place(*cancel, layout.cancel, dpi);

  connect(search_, &QLineEdit::textChanged, this, &FindDialog::search);
  connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &FindDialog::showSeriesError);
  connect(list_, &QTreeView::doubleClicked, this, &FindDialog::accept);
  connect(ok, &QPushButton::clicked, this, &FindDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &FindDialog::reject);
  search({});
  search_->setFocus();
}

FindDialog::~FindDialog() = default;

void FindDialog::search(const QString& text) {
  model_->setQuery(text);
  // The best match is highlighted, so Enter picks it at once.
  if (model_->rowCount({}) > 0) list_->setCurrentIndex(model_->index(0, 0));
  showSeriesError();
}

void FindDialog::showSeriesError() {
  const QModelIndex current = list_->currentIndex();
  seriesError_->setText(current.isValid()
                            ? QString::fromStdString(finder_.seriesErrorLine(static_cast<std::size_t>(current.row())))
                            : QString());
}

void FindDialog::accept() {
  const QModelIndex current = list_->currentIndex();
  if (!current.isValid()) return;
  picked_ = &finder_.entry(static_cast<std::size_t>(current.row()));
  QDialog::accept();
}

// Up, Down, Page Up and Page Down in the search field move the highlight in the list;
// the field keeps the focus, so the user can type on.
bool FindDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == search_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
      QApplication::sendEvent(list_, event);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace velqora
