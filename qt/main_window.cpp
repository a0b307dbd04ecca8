#include "qt/main_window.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <thread>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "qt/alert_box.h"
#include "qt/convert_dialog.h"
#include "qt/convert_progress.h"
#include "qt/dialog_layout.h"
#include "qt/field_edit.h"
#include "qt/find_dialog.h"
#include "window/catalogue_pick.h"
#include "window/convert_file.h"
#include "window/event_handlers.h"
#include "window/layout.h"
#include "window/window_title.h"

namespace velqora {

namespace {

// The frame around a drop-down list's open list, in pixels.
constexpr int LIST_FRAME = 2;
// A label at least this many lines high wraps its text.
constexpr double TWO_LINES = 1.75;

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), catalogue_(installedCatalogueFile(QCoreApplication::applicationDirPath().toStdString(), false)) {
  setWindowTitle(fromUtf8(WINDOW_TITLE));
  // Title bar with system menu, minimize and close; no maximize button.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  setPalette(white);
  setAutoFillBackground(true);

  // Qt scales logical pixels to the screen itself, so the logical DPI is 96 at any scale.
  const double dpiX = logicalDpiX();
  const double dpiY = logicalDpiY();
  const auto px = [](int units, double dpi) { return unitsToPixels(units, dpi); };
  // The controls lie in a client area of their own, below the menu bar; the window is
  // as large as the two together.
  client_ = new QWidget(this);
  client_->setFixedSize(px(CLIENT_WIDTH_UNITS, dpiX), px(CLIENT_HEIGHT_UNITS, dpiY));
  menuBar_ = new QMenuBar(this);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->setMenuBar(menuBar_);
  column->addWidget(client_);
  column->setSizeConstraint(QLayout::SetFixedSize);
  buildMenus();

  QFont boldFont = font();
  boldFont.setBold(true);

  // Created in creation-list order: Qt's tab chain follows the order of creation.
  for (const Control& c : mainformControls()) {
    const QString text = fromUtf8(c.text);
    QWidget* widget = nullptr;
    switch (c.kind) {
      case ControlKind::Label: {
        auto* label = new QLabel(text, client_);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFocusPolicy(Qt::NoFocus);
        labels_.at(c.number) = label;
        widget = label;
        break;
      }
      case ControlKind::Field: {
        auto* edit = new FieldEdit(c.typingLimit, client_);
        edit->writeText(text);
        fields_.at(c.number) = edit;
        widget = edit;
        break;
      }
      case ControlKind::List: {
        auto* combo = new QComboBox(client_);
        combo->setEditable(false);
        // A list that drops down below the box and scrolls, as tall as the layout says,
        // rather than a menu over the box that shows every entry.
        combo->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
        lists_.at(c.number) = combo;
        widget = combo;
        break;
      }
      case ControlKind::Button: {
        auto* button = new QPushButton(text, client_);
        button->setAutoDefault(true);  // Enter presses the button that has the focus
        buttons_.at(c.number) = button;
        widget = button;
        break;
      }
    }
    widget->setObjectName(fromUtf8(c.name));
    if (c.bold) widget->setFont(boldFont);
    const PixelBox box = pixelBox(c, dpiX, dpiY);
    int height = box.height;
    if (c.kind == ControlKind::List) {
      // The table gives the open list's height; the closed list is one line high.
      auto* combo = static_cast<QComboBox*>(widget);
      const int closed = combo->sizeHint().height();
      const int row = combo->fontMetrics().height();
      combo->setMaxVisibleItems(std::max(1, (height - closed - LIST_FRAME) / row));
      height = closed;
    } else if (c.kind == ControlKind::Label) {
      // The two labels laid out for two lines wrap their words.
      if (height >= TWO_LINES * widget->fontMetrics().height()) static_cast<QLabel*>(widget)->setWordWrap(true);
      // Some label boxes reach a few units into the next field, past the end of their
      // text; the field lies above them, so its frame shows whole.
      widget->lower();
    }
    widget->setGeometry(box.x, box.y, box.width, height);
  }

  form_ = std::make_unique<QtForm>(fields_, lists_, [this](const std::string& message) {
    showAlert(this, QString::fromStdString(message));
  });

  for (int b = 1; b <= 4; ++b) {
    connect(buttons_.at(b), &QPushButton::clicked, this, [this, b] {
      if (pressChangesGrid(b)) plainTitle();
      runHandler(buttonPressHandler(b));
    });
  }
  // The form blocks the lists' signals while the program selects, so only the user's
  // changes reach the handlers.
  for (const List l : {COMBO1, COMBO2, COMBO3, COMBO4}) {
    const BoundHandler handler = listChangeHandler(l);
    connect(lists_.at(l), &QComboBox::currentIndexChanged, this, [this, handler] {
      plainTitle();
      runHandler(handler);
    });
  }
  // Only the user's edits: the program's writes do not emit textEdited.
  for (int f = 1; f <= FIELD_COUNT; ++f)
    if (typingChangesGrid(Field(f))) connect(fields_.at(f), &QLineEdit::textEdited, this, [this] { plainTitle(); });

  // The size the layout gives the window, before centreOnScreen reads it.
  column->activate();
}

void MainWindow::buildMenus() {
  for (const Menu& m : menuBar()) {
    QMenu* menu = menuBar_->addMenu(fromUtf8(m.title));
    for (const MenuItem& item : m.items) {
      QAction* action = menu->addAction(fromUtf8(item.text));
      action->setData(static_cast<int>(item.command));
      // The window's shortcut context: it works whichever control has the focus.
      if (item.ctrlKey != 0) action->setShortcut(QKeySequence(QString::fromStdString(shortcutText(item))));
      const MenuCommand command = item.command;
      connect(action, &QAction::triggered, this, [this, command] { carryOut(command); });
    }
  }
}

QAction* MainWindow::action(MenuCommand command) const {
  for (QMenu* menu : menuBar_->findChildren<QMenu*>())
    for (QAction* a : menu->actions())
      if (a->data().toInt() == static_cast<int>(command)) return a;
  return nullptr;
}

void MainWindow::carryOut(MenuCommand command) {
  switch (command) {
    case MenuCommand::Exit:
      close();
      break;
    case MenuCommand::FindGrid:
      findGrid();
      break;
    case MenuCommand::ConvertFile:
      // A failure must not cross the event loop; it is reported as a handler's is.
      try {
        convertFile();
      } catch (const std::exception& e) {
        std::cerr << "velqora: Convert a file failed: " << e.what() << '\n';
      }
      break;
  }
}

const GridCatalogue* MainWindow::openGridCatalogue() { return catalogue_.open(*form_) ? &catalogue_ : nullptr; }

void MainWindow::findGrid() {
  const GridCatalogue* catalogue = openGridCatalogue();
  if (catalogue == nullptr) return;
  FindDialog dialog(*catalogue, this);
  if (dialog.exec() == QDialog::Accepted && dialog.picked() != nullptr) pickGrid(*dialog.picked());
}

void MainWindow::pickGrid(const CatalogueEntry& entry) {
  setWindowTitle(QString::fromStdString(pickCatalogueEntry(*form_, entry)));
}

void MainWindow::convertFile() {
  const auto grid = fileConversionGrid(*form_);
  if (!grid) return;
  ConvertDialog dialog(this);
  if (dialog.exec() != QDialog::Accepted) return;
  FileConversionRun run(*grid, dialog.choices());
  {
    std::jthread worker([&run] { run.work(); });
    ConvertProgressDialog progress(run, this);
    progress.exec();
    // Should the program be ending, the run stops and is waited for here.
    if (!run.finished()) run.cancel();
  }
  QMessageBox box(wholeSuccess(run.summary()) ? QMessageBox::Information : QMessageBox::Warning,
                  fromUtf8(CONVERT_DIALOG_TITLE), QString::fromStdString(summaryText(run.summary(), run.choices())),
                  QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void MainWindow::plainTitle() { setWindowTitle(fromUtf8(WINDOW_TITLE)); }

MainWindow::~MainWindow() = default;

void MainWindow::setMessageSink(QtForm::MessageSink sink) { form_->setMessageSink(std::move(sink)); }

QWidget* MainWindow::control(std::string_view name) const {
  const Control* c = findControl(name);
  if (c == nullptr) return nullptr;
  switch (c->kind) {
    case ControlKind::Label: return labels_.at(c->number);
    case ControlKind::Field: return fields_.at(c->number);
    case ControlKind::List: return lists_.at(c->number);
    case ControlKind::Button: return buttons_.at(c->number);
  }
  return nullptr;
}

void MainWindow::centreOnScreen() {
  const QScreen* s = screen();
  if (s == nullptr) return;
  const QRect area = s->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}

void MainWindow::runHandler(const BoundHandler& handler) {
  if (const std::string failure = runGuarded(handler, *form_); !failure.empty())
    std::cerr << "velqora: " << failure << '\n';
}

}  // namespace velqora
