#include "ui/qt/main_window_view.h"

#include "ui/unsaved_work.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QtDebug>

#include <algorithm>
#include <exception>
#include <utility>

namespace kl40::qt {

MainWindowView::MainWindowView(Workspace& ws, MDI_kl40& frame, EntryForm& form, QWidget* parent)
    : QMainWindow(parent), ws_(ws), frame_(frame), area_(this), entryWindow_(&area_),
      entry_(ws, form), mnuFile_(QStringLiteral("&File"), this),
      mnuHelp_(QStringLiteral("KL40 Info"), this) {
    setObjectName("MDI_kl40");
    setCentralWidget(&area_);
    showFileInTitle();
    connect(&entry_, &EntryFormView::mirrored, this, &MainWindowView::showFileInTitle);

    // The form lives as long as the frame: its window has no close button and
    // refuses to close.
    entryWindow_.setWidget(&entry_);
    entryWindow_.setWindowTitle(entry_.windowTitle());
    entryWindow_.installEventFilter(this);
    area_.addSubWindow(&entryWindow_);
    // No close button and no system menu (whose only use would be Close). Set
    // after adding: the area adds the system menu to the window's flags.
    entryWindow_.setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowMinimizeButtonHint);
    entryWindow_.setSystemMenu(nullptr);
    entryWindow_.adjustSize();
    entryWindow_.show();

    // Menus: no shortcuts besides the access keys.
    mnuFile_.setObjectName("mnuFile");
    addCommand(mnuFile_, "mnuNewFile", QStringLiteral("&New Radio File"),
               [this] { frame_.mnuNewFile_Click(); });
    addCommand(mnuFile_, "mnuOpenFile", QStringLiteral("&Open Radio File"),
               [this] { frame_.mnuOpenFile_Click(); });
    addCommand(mnuFile_, "mnuSaveFile", QStringLiteral("&Save Radio File"),
               [this] { frame_.mnuSaveFile_Click(); });
    mnuFile_.addSeparator();
    addCommand(mnuFile_, "mnuUseFirmware", QStringLiteral("Use &Firmware From Image..."),
               [this] { frame_.mnuUseFirmware_Click(); });
    mnuFile_.addSeparator();
    addCommand(mnuFile_, "mnuKL40", QStringLiteral("E&xit"), [this] { frame_.mnuKL40_Click(); });
    menuBar()->addMenu(&mnuFile_);

    QAction* print = menuBar()->addAction(QStringLiteral("&Print"));
    print->setObjectName("mnuPrint");
    connect(print, &QAction::triggered, this,
            [this] { forward([this] { frame_.mnuPrint_Click(); }); });

    mnuHelp_.setObjectName("mnuHelp");
    addCommand(mnuHelp_, "mnuKL40_Help", QStringLiteral("&Help"),
               [this] { frame_.mnuKL40_Help_Click(); });
    addCommand(mnuHelp_, "mnuKL40_About", QStringLiteral("&About"),
               [this] { frame_.mnuKL40_About_Click(); });
    menuBar()->addMenu(&mnuHelp_);

    // Room for the form with a margin all round.
    resize(std::max(640, entryWindow_.width() + 80),
           std::max(480, entryWindow_.height() * 8 / 5) + menuBar()->sizeHint().height());
}

MainWindowView::~MainWindowView() {
    entryWindow_.removeEventFilter(this);
}

QAction* MainWindowView::addCommand(QMenu& menu, const char* name, const QString& caption,
                                    std::function<void()> command) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this,
            [this, command = std::move(command)] { forward(command); });
    return action;
}

template <class Command> void MainWindowView::forward(Command&& command) {
    try {
        command();
    } catch (const std::exception& e) {
        // The flows report their failures themselves; one that still escapes
        // must not unwind through the event loop.
        qWarning("KL40: a menu command failed: %s", e.what());
    }
    entry_.refresh();
}

void MainWindowView::showFileInTitle() {
    const QString title = QString::fromStdString(FrameTitle(ws_)) + QStringLiteral("[*]");
    if (windowTitle() != title) setWindowTitle(title);
    setWindowModified(HasUnsavedWork(ws_));
}

void MainWindowView::closeEvent(QCloseEvent* event) {
    bool mayClose = true;
    forward([&] { mayClose = frame_.QueryUnload(); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

void MainWindowView::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (placed_) return;
    placed_ = true;
    placeEntryWindow();
    entry_.widgetOf(Control::cboCh)->setFocus(Qt::OtherFocusReason);
}

void MainWindowView::placeEntryWindow() {
    const QSize room = area_.viewport()->size();
    const int left = room.width() / 2 - entryWindow_.width() / 2;
    const int top = room.height() / 8 * 3 - entryWindow_.height() / 2;
    entryWindow_.move(std::max(0, left), std::max(0, top));
}

bool MainWindowView::eventFilter(QObject* watched, QEvent* event) {
    // The entry form is never closed on its own; the frame's Exit and close
    // box end the program.
    if (watched == &entryWindow_ && event->type() == QEvent::Close) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace kl40::qt
