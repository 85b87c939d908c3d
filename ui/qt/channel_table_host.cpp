#include "ui/qt/channel_table_host.h"

#include "ui/qt/table_dialogs.h"

#include <QAction>

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
        // Beside the entry form, as tall as the area allows.
        const QRect form = form_.parentWidget()->geometry();
        const QSize room = area_.maximumViewportSize();
        window_->resize(view_->sizeHint().width(), std::max(form.height(), room.height() - 8));
        window_->move(std::max(0, std::min(form.right() + 8, room.width() - window_->width())), 0);
    }
    view_->showRadio();
    window_->show();
    area_.setActiveSubWindow(window_.get());
    view_->grid().setFocus(Qt::ShortcutFocusReason);
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
