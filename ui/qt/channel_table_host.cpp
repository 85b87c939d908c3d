#include "ui/qt/channel_table_host.h"

#include "ui/qt/table_dialogs.h"

#include <QAction>
#include <QScreen>

#include <algorithm>

#include <utility>

namespace kl40::qt {

ChannelTableHost::ChannelTableHost(Workspace& ws, UndoHistory& history, EntryFormView& form,
                                   QMdiArea& area)
    : ws_(ws), history_(history), form_(form), area_(area), table_(ws, history, preferences_) {
    // Whatever changed the radio (the form, undo, a menu command), the table
    // shows it once the form has.
    connect(&form_, &EntryFormView::mirrored, this, [this] {
        if (view_) view_->showRadio();
    });
}

ChannelTableHost::~ChannelTableHost() {
    view_.reset();
    window_.reset();
}

void ChannelTableHost::addCommands(QMenu& edit) {
    edit.addSeparator();
    QAction* open = edit.addAction(QString::fromLatin1(kChannelTableCaption));
    open->setObjectName("mnuChannelTable");
    open->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    connect(open, &QAction::triggered, this, &ChannelTableHost::open);

    QAction* fillAction = edit.addAction(QStringLiteral("&Fill Frequencies..."));
    fillAction->setObjectName("mnuFillFrequencies");
    connect(fillAction, &QAction::triggered, this, &ChannelTableHost::fill);

    QMenu* sortMenu = edit.addMenu(QStringLiteral("&Sort Channels"));
    sortMenu->setObjectName("mnuSortChannels");
    const std::pair<const char*, SortKey> keys[] = {{"By &Receive", SortKey::Receive},
                                                    {"By &Transmit", SortKey::Transmit},
                                                    {"By T&one", SortKey::Tone},
                                                    {"By &Name", SortKey::Name}};
    for (const auto& [caption, key] : keys)
        connect(sortMenu->addAction(QString::fromLatin1(caption)), &QAction::triggered, this,
                [this, key = key] { sort(key); });

    edit.addSeparator();
    QAction* preferences = edit.addAction(QStringLiteral("Pr&eferences..."));
    preferences->setObjectName("mnuPreferences");
    connect(preferences, &QAction::triggered, this, &ChannelTableHost::editPreferences);
}

void ChannelTableHost::open() {
    if (!window_) {
        window_ = std::make_unique<QMdiSubWindow>();
        view_ = std::make_unique<ChannelTableView>(table_, ws_);
        window_->setWidget(view_.get());
        window_->setWindowTitle(view_->windowTitle());
        area_.addSubWindow(window_.get());
        // A table change shows in the form (its list, the title's unsaved mark).
        connect(view_.get(), &ChannelTableView::changed, &form_, &EntryFormView::refresh);
        placeBesideForm();
    }
    view_->showRadio();
    window_->show();
    area_.setActiveSubWindow(window_.get());
    view_->grid().setFocus(Qt::ShortcutFocusReason);
}

bool ChannelTableHost::active() const {
    return window_ && area_.activeSubWindow() == window_.get();
}

void ChannelTableHost::print() {
    open();
    if (onPrint) onPrint();
}

void ChannelTableHost::placeBesideForm() {
    constexpr int kGap = 8;
    QWidget& entry = *form_.parentWidget(); // the form's child window
    QWidget& frame = *area_.window();
    window_->adjustSize();
    // The frame grows, as far as its screen allows, to hold both side by side.
    const QSize room = area_.viewport()->size();
    const QSize needed(kGap + entry.width() + kGap + window_->width() + kGap,
                       kGap + std::max(entry.height(), window_->height()) + kGap);
    if (room.width() < needed.width() || room.height() < needed.height()) {
        const QRect screen = frame.screen()->availableGeometry();
        const QSize decorations = frame.frameGeometry().size() - frame.size();
        frame.resize(std::min(frame.width() + std::max(0, needed.width() - room.width()),
                              screen.width() - decorations.width()),
                     std::min(frame.height() + std::max(0, needed.height() - room.height()),
                              screen.height() - decorations.height()));
    }
    const QSize now = area_.viewport()->size();
    // The form moves to the left edge when the table would not fit to its right.
    if (entry.x() + entry.width() + kGap + window_->width() > now.width())
        entry.move(kGap, entry.y());
    window_->resize(window_->width(), std::max(window_->height(), now.height() - 2 * kGap));
    window_->move(
        std::max(0, std::min(entry.x() + entry.width() + kGap, now.width() - window_->width())),
        kGap);
}

void ChannelTableHost::fill() {
    open();
    if (const std::optional<FillRequest> request = AskFill(view_.get()))
        view_->fill(request->startMHz, request->stepKHz);
}

void ChannelTableHost::sort(SortKey key) {
    open();
    view_->sort(key);
}

void ChannelTableHost::editPreferences() {
    PreferencesDialog dialog(preferences_, area_.window());
    dialog.exec();
}

} // namespace kl40::qt
