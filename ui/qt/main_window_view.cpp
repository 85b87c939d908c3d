#include "ui/qt/main_window_view.h"

#include "ui/unsaved_work.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QtDebug>

#include <algorithm>
#include <exception>
#include <utility>

namespace kl40::qt {

namespace {

// The platform's binding of a standard key, or `fallback` where the platform
// has none.
QKeySequence standardKey(QKeySequence::StandardKey key, const char* fallback) {
    const QList<QKeySequence> bindings = QKeySequence::keyBindings(key);
    return bindings.isEmpty() ? QKeySequence(QString::fromLatin1(fallback)) : bindings.front();
}

} // namespace

MainWindowView::MainWindowView(Workspace& ws, MDI_kl40& frame, EntryForm& form, QWidget* parent)
    : QMainWindow(parent), ws_(ws), frame_(frame), area_(this), entryWindow_(&area_),
      entry_(ws, form, &frame.history()), tables_(ws, frame.history(), entry_, area_),
      mnuFile_(QStringLiteral("&File"), this), mnuEdit_(QStringLiteral("&Edit"), this),
      mnuProgrammer_(ws, frame, *this, [this](const std::function<void()>& c) { forward(c); }),
      mnuHelp_(QStringLiteral("KL40 Info"), this) {
    setObjectName("MDI_kl40");
    setCentralWidget(&area_);
    showFileInTitle();
    connect(&entry_, &EntryFormView::mirrored, this, &MainWindowView::showFrame);

    // The form lives as long as the frame: its window has no close button and
    // refuses to close. The window is added and given its flags while it is
    // still empty and untitled: each of these steps lays out its title bar
    // again, and with the form and its title in it that costs a good part of
    // the start-up.
    entryWindow_.installEventFilter(this);
    area_.addSubWindow(&entryWindow_);
    // No close button and no system menu (whose only use would be Close). Set
    // after adding: the area adds the system menu to the window's flags.
    entryWindow_.setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowMinimizeButtonHint);
    entryWindow_.setSystemMenu(nullptr);
    entryWindow_.setWidget(&entry_);
    entryWindow_.setWindowTitle(entry_.windowTitle());
    entryWindow_.adjustSize();
    entryWindow_.show();
    // A frame smaller than the form scrolls it rather than cutting it off.
    area_.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this,
                          [this](QWidget*, QWidget* now) { scrollToFocus(now); });

    // Menus: the access keys, and the desktop's usual shortcuts, shown in the menus.
    mnuFile_.setObjectName("mnuFile");
    addCommand(mnuFile_, "mnuNewFile", QStringLiteral("&New Radio File"), [this] {
        frame_.mnuNewFile_Click();
    })->setShortcut(standardKey(QKeySequence::New, "Ctrl+N"));
    addCommand(mnuFile_, "mnuOpenFile", QStringLiteral("&Open Radio File"), [this] {
        frame_.mnuOpenFile_Click();
    })->setShortcut(standardKey(QKeySequence::Open, "Ctrl+O"));
    addCommand(mnuFile_, "mnuSaveFile", QStringLiteral("&Save"), [this] {
        frame_.mnuSaveFile_Click();
    })->setShortcut(standardKey(QKeySequence::Save, "Ctrl+S"));
    addCommand(mnuFile_, "mnuSaveFileAs", QStringLiteral("Save &As..."), [this] {
        frame_.mnuSaveFileAs_Click();
    })->setShortcut(standardKey(QKeySequence::SaveAs, "Ctrl+Shift+S"));
    mnuFile_.addSeparator();
    addCommand(mnuFile_, "mnuImportChannels", QStringLiteral("&Import Channels..."),
               [this] { frame_.mnuImportChannels_Click(); });
    addCommand(mnuFile_, "mnuExportChannels", QStringLiteral("&Export Channels..."),
               [this] { frame_.mnuExportChannels_Click(); });
    mnuFile_.addSeparator();
    addCommand(mnuFile_, "mnuUseFirmware", QStringLiteral("Use &Firmware From Image..."),
               [this] { frame_.mnuUseFirmware_Click(); });
    addCommand(mnuFile_, "mnuPrintTable", QStringLiteral("&Print Channel Table..."),
               [this] { tables_.print(); });
    addRecentFileEntries();
    mnuFile_.addSeparator();
    addCommand(mnuFile_, "mnuKL40", QStringLiteral("E&xit"), [this] {
        frame_.mnuKL40_Click();
    })->setShortcut(standardKey(QKeySequence::Quit, "Ctrl+Q"));
    menuBar()->addMenu(&mnuFile_);
    addEditMenu();
    menuBar()->addMenu(&mnuProgrammer_);

    // A command of the menu bar shows no shortcut; its tool tip names it.
    QAction* print = menuBar()->addAction(QStringLiteral("&Print"));
    print->setObjectName("mnuPrint");
    print->setShortcut(standardKey(QKeySequence::Print, "Ctrl+P"));
    print->setToolTip(
        QStringLiteral("Print (%1)").arg(print->shortcut().toString(QKeySequence::NativeText)));
    // With the channel table active the same command prints the table.
    connect(print, &QAction::triggered, this, [this] {
        if (tables_.active() && tables_.onPrint)
            tables_.print();
        else
            forward([this] { frame_.mnuPrint_Click(); });
    });

    mnuHelp_.setObjectName("mnuHelp");
    addCommand(mnuHelp_, "mnuKL40_Help", QStringLiteral("&Help"), [this] {
        frame_.mnuKL40_Help_Click();
    })->setShortcut(standardKey(QKeySequence::HelpContents, "F1"));
    addCommand(mnuHelp_, "mnuKL40_About", QStringLiteral("&About"),
               [this] { frame_.mnuKL40_About_Click(); });
    menuBar()->addMenu(&mnuHelp_);

    // Room for the form with a margin all round.
    resize(std::max(640, entryWindow_.width() + 80),
           std::max(480, entryWindow_.height() * 8 / 5) + menuBar()->sizeHint().height());
}

MainWindowView::~MainWindowView() {
    // Windows destroyed with the frame move the focus; by then this is no
    // longer a frame to scroll.
    disconnect(focusWatch_);
    entryWindow_.removeEventFilter(this);
    for (QWidget* box : textBoxes())
        box->removeEventFilter(this);
}

void MainWindowView::addEditMenu() {
    mnuEdit_.setObjectName("mnuEdit");
    undo_ = addCommand(mnuEdit_, "mnuUndo", QStringLiteral("&Undo"),
                       [this] { frame_.mnuUndo_Click(); });
    redo_ = addCommand(mnuEdit_, "mnuRedo", QStringLiteral("&Redo"),
                       [this] { frame_.mnuRedo_Click(); });
    // The usual keys first (the menu shows the first), then the platform's own.
    const auto keys = [](std::initializer_list<const char*> usual, QKeySequence::StandardKey key) {
        QList<QKeySequence> list;
        for (const char* k : usual)
            list << QKeySequence(QString::fromLatin1(k));
        for (const QKeySequence& k : QKeySequence::keyBindings(key))
            if (!list.contains(k)) list << k;
        return list;
    };
    undo_->setShortcuts(keys({"Ctrl+Z"}, QKeySequence::Undo));
    redo_->setShortcuts(keys({"Ctrl+Shift+Z", "Ctrl+Y"}, QKeySequence::Redo));
    tables_.addCommands(mnuEdit_);
    menuBar()->addMenu(&mnuEdit_);
    // A text box (also the one of an editable list) takes its own undo and
    // redo keys before any shortcut; the form's leave them to the menu, which
    // acts on the data set wherever the focus is.
    for (QWidget* box : textBoxes())
        box->installEventFilter(this);
    showFrame();
}

QList<QWidget*> MainWindowView::textBoxes() {
    QList<QWidget*> boxes;
    for (QLineEdit* edit : entry_.findChildren<QLineEdit*>())
        boxes << edit;
    for (QComboBox* combo : entry_.findChildren<QComboBox*>())
        if (combo->isEditable()) boxes << combo;
    return boxes;
}

bool MainWindowView::isEditCommandKey(const QEvent& event) const {
    const QKeySequence key(static_cast<const QKeyEvent&>(event).keyCombination());
    return undo_->shortcuts().contains(key) || redo_->shortcuts().contains(key);
}

QAction* MainWindowView::addCommand(QMenu& menu, const char* name, const QString& caption,
                                    std::function<void()> command) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this,
            [this, command = std::move(command)] { forward(command); });
    return action;
}

void MainWindowView::addRecentFileEntries() {
    recentSeparator_ = mnuFile_.addSeparator();
    for (std::size_t i = 0; i < recentActions_.size(); ++i) {
        QAction* action = mnuFile_.addAction(QString());
        action->setObjectName(QStringLiteral("mnuRecentFile%1").arg(i + 1));
        connect(action, &QAction::triggered, this, [this, action] {
            const std::string path = action->data().toString().toStdString();
            forward([this, &path] { frame_.OpenRecentFile(path); });
        });
        recentActions_[i] = action;
    }
    shownRecentFiles_ = {std::string()}; // differs from every list: the first show fills in
    showRecentFiles();
}

void MainWindowView::showRecentFiles() {
    const std::vector<std::string>& paths = frame_.recentFiles().paths();
    if (paths == shownRecentFiles_) return;
    shownRecentFiles_ = paths;
    recentSeparator_->setVisible(!paths.empty());
    for (std::size_t i = 0; i < recentActions_.size(); ++i) {
        QAction* action = recentActions_[i];
        const bool used = i < paths.size();
        action->setVisible(used);
        action->setData(used ? QString::fromStdString(paths[i]) : QString());
        action->setText(used ? QString::fromStdString(RecentFileCaption(i + 1, paths[i]))
                             : QString());
    }
}

void MainWindowView::openFile(const QString& path) {
    forward([this, file = path.toStdString()] { frame_.OpenFile(file); });
}

void MainWindowView::showFrame() {
    showFileInTitle();
    showRecentFiles();
    if (undo_ == nullptr) return; // mirrored before the menus were made
    undo_->setEnabled(frame_.history().canUndo());
    redo_->setEnabled(frame_.history().canRedo());
}

void MainWindowView::scrollToFocus(QWidget* focused) {
    if (focused == nullptr || !entry_.isAncestorOf(focused)) return;
    QWidget* viewport = area_.viewport();
    const QRect view = viewport->rect();
    const QRect place(focused->mapTo(viewport, QPoint(0, 0)), focused->size());
    const auto shift = [](int low, int high, int viewLow, int viewHigh) {
        if (high > viewHigh) return std::min(high - viewHigh, low - viewLow);
        if (low < viewLow) return low - viewLow;
        return 0;
    };
    QScrollBar* across = area_.horizontalScrollBar();
    QScrollBar* down = area_.verticalScrollBar();
    across->setValue(across->value() +
                     shift(place.left(), place.right(), view.left(), view.right()));
    down->setValue(down->value() + shift(place.top(), place.bottom(), view.top(), view.bottom()));
}

template <class Command> void MainWindowView::forward(Command&& command) {
    try {
        command();
    } catch (const std::exception& e) {
        // The flows report their failures themselves; one that still escapes
        // must not unwind through the event loop.
        qWarning("KL40: a menu command failed: %s", e.what());
    }
    entry_.refresh(); // shows the frame too
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
    QWidget* selector = entry_.widgetOf(Control::cboCh);
    selector->setFocus(Qt::OtherFocusReason);
    // The first channel number typed replaces the "1" shown, as after a store.
    if (auto* box = qobject_cast<QComboBox*>(selector); box && box->lineEdit())
        box->lineEdit()->selectAll();
}

void MainWindowView::placeEntryWindow() {
    // The room without scroll bars: the form that fits needs none.
    const QSize room = area_.maximumViewportSize();
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
    // Not taken by the text box: the Edit menu's shortcut runs.
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
        entry_.isAncestorOf(static_cast<QWidget*>(watched)) && isEditCommandKey(*event)) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace kl40::qt
