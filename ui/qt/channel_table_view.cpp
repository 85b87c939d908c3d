#include "ui/qt/channel_table_view.h"

#include "coding/tone_table.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace kl40::qt {

namespace {

constexpr int kCtcssColumn = TableColumn(Column::Ctcss);
constexpr int kScanColumn = TableColumn(Column::Scan);

// The line an editor is typed into: the editor itself or a list's line.
QLineEdit* lineOf(QWidget* editor) {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) return combo->lineEdit();
    return qobject_cast<QLineEdit*>(editor);
}

bool isCommitKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab ||
           key == Qt::Key_Backtab;
}

} // namespace

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    if (index.column() != kCtcssColumn)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    // A typed tone is committed as typed: neither completed to a near tone
    // nor added to the list.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const ToneRow& row : ToneTable)
        combo->addItem(QString::fromLatin1(row.toneText));
    // Keys reach the list's line first; the delegate must see Enter and Tab there.
    combo->lineEdit()->installEventFilter(const_cast<CellDelegate*>(this));
    return combo;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setEditText(index.data(Qt::EditRole).toString());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    // Enter and Tab commit through the window; this is an editor left otherwise.
    model->setData(index, editorText(editor), ChannelTableModel::kLeavingRole);
}

QString CellDelegate::editorText(const QWidget* editor) {
    if (const auto* combo = qobject_cast<const QComboBox*>(editor)) return combo->currentText();
    if (const auto* line = qobject_cast<const QLineEdit*>(editor)) return line->text();
    return {};
}

bool CellDelegate::eventFilter(QObject* watched, QEvent* event) {
    // The line of a tone list stands for the list.
    QObject* editor = watched;
    if (auto* line = qobject_cast<QLineEdit*>(watched))
        if (auto* combo = qobject_cast<QComboBox*>(line->parentWidget())) editor = combo;
    if (event->type() == QEvent::KeyPress && onCommitKey) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (isCommitKey(key)) return onCommitKey(static_cast<QWidget*>(editor), key);
    }
    // The list's line only passes keys on; its focus is the list's.
    if (editor != watched && event->type() != QEvent::KeyPress) return false;
    return QStyledItemDelegate::eventFilter(editor, event);
}

ChannelTableView::ChannelTableView(ChannelTableWindow& table, const Workspace& ws, QWidget* parent)
    : QWidget(parent), table_(table), model_(table, ws), delegate_(), grid_(this), status_(this) {
    setObjectName("ChannelTable");
    setWindowTitle(QString::fromLatin1(kChannelTableCaption));
    grid_.setObjectName("grid");
    grid_.setModel(&model_);
    grid_.setItemDelegate(&delegate_);
    grid_.setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_.setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_.setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked);
    grid_.verticalHeader()->hide(); // the Channel column numbers the rows
    grid_.verticalHeader()->setDefaultSectionSize(grid_.fontMetrics().height() + 6);
    grid_.horizontalHeader()->setStretchLastSection(true);
    grid_.setAlternatingRowColors(true);
    grid_.installEventFilter(this);
    delegate_.onCommitKey = [this](QWidget* editor, int key) { return commitKey(editor, key); };
    // An edit ended otherwise (focus elsewhere, Escape): the outcome is told too.
    connect(&delegate_, &QAbstractItemDelegate::closeEditor, this, [this] { afterChange(); });

    status_.setObjectName("status");
    status_.setWordWrap(true);
    status_.setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_.setMinimumHeight(2 * status_.fontMetrics().lineSpacing() + 4);
    status_.setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(&grid_, 1);
    layout->addWidget(&status_);

    grid_.resizeColumnsToContents();
    // Room for frequencies and a few characters of name; the comment stretches.
    const int digits = grid_.fontMetrics().horizontalAdvance(QStringLiteral("0000.00000"));
    for (int column : {kReceiveColumn, TableColumn(Column::Transmit)})
        grid_.setColumnWidth(column, std::max(grid_.columnWidth(column), digits));
    const int letters = grid_.fontMetrics().horizontalAdvance(QStringLiteral("M"));
    grid_.setColumnWidth(TableColumn(Column::Name), letters * 10);
    grid_.setColumnWidth(TableColumn(Column::Comment), letters * 12);
    showPlace(ChannelTableWindow::OpeningPlace());
}

ChannelTableView::~ChannelTableView() {
    // An editor still open closes as the grid goes: nothing is left to tell.
    delegate_.disconnect(this);
    delegate_.onCommitKey = nullptr;
    grid_.removeEventFilter(this);
}

QSize ChannelTableView::sizeHint() const {
    // Every column and about twenty rows, so that nothing is cut at first.
    constexpr int kRowsShown = 20;
    // A little slack: the last column stretches rather than scrolls.
    constexpr int kSlack = 16;
    int width = 2 * grid_.frameWidth() + grid_.verticalScrollBar()->sizeHint().width() + kSlack;
    for (int column = 0; column < kTableColumnCount; ++column)
        width += grid_.columnWidth(column);
    const int rows = grid_.horizontalHeader()->sizeHint().height() +
                     kRowsShown * grid_.verticalHeader()->defaultSectionSize() +
                     2 * grid_.frameWidth();
    const QMargins margins = layout()->contentsMargins();
    return {width + margins.left() + margins.right(), rows + layout()->spacing() +
                                                          status_.minimumHeight() + margins.top() +
                                                          margins.bottom()};
}

void ChannelTableView::showRadio() {
    model_.showRadio();
}

TablePlace ChannelTableView::place() const {
    const QModelIndex current = grid_.currentIndex();
    TablePlace here{ChannelTableModel::channelOf(current), current.column(), {}};
    if (!current.isValid()) here = ChannelTableWindow::OpeningPlace();
    for (const QModelIndex& index : grid_.selectionModel()->selectedIndexes())
        here.rows.insert(ChannelTableModel::channelOf(index));
    return here;
}

void ChannelTableView::showPlace(const TablePlace& place) {
    const QModelIndex current = model_.index(place.channel - 1, place.column);
    QItemSelectionModel& selection = *grid_.selectionModel();
    selection.setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
    // More rows than the current one: whole rows, as a row operation left them.
    if (place.rows.size() > 1 || (!place.rows.empty() && *place.rows.begin() != place.channel)) {
        selection.clearSelection();
        QItemSelection rows;
        for (const int n : place.rows)
            rows.select(model_.index(n - 1, 0), model_.index(n - 1, kTableColumnCount - 1));
        selection.select(rows, QItemSelectionModel::Select);
    }
    grid_.scrollTo(current);
}

void ChannelTableView::afterChange() {
    model_.showRadio();
    status_.setText(QString::fromStdString(table_.status()));
    emit changed();
}

void ChannelTableView::operate(const std::function<TablePlace(const TablePlace&)>& operation) {
    const TablePlace after = operation(place());
    afterChange();
    showPlace(after);
}

void ChannelTableView::fill(const QString& start, const QString& stepKHz) {
    operate([&](const TablePlace& here) {
        return table_.fill(here, start.toStdString(), stepKHz.toStdString());
    });
}

void ChannelTableView::sort(SortKey key) {
    operate([&](const TablePlace& here) { return table_.sort(here, key); });
}

bool ChannelTableView::commitKey(QWidget* editor, int key) {
    const QModelIndex index = grid_.currentIndex();
    const bool taken = model_.setData(index, CellDelegate::editorText(editor));
    afterChange();
    if (!taken) return true; // the editor keeps the refused text
    grid_.finishEdit(editor);
    if (key == Qt::Key_Tab)
        moveCurrent(0, 1);
    else if (key == Qt::Key_Backtab)
        moveCurrent(0, -1);
    else
        moveCurrent(1, 0);
    return true;
}

void ChannelTableView::moveCurrent(int rows, int columns) {
    const QModelIndex current = grid_.currentIndex();
    const int row = std::clamp(current.row() + rows, 0, kHighestChannel - 1);
    const int column = std::clamp(current.column() + columns, 0, kTableColumnCount - 1);
    grid_.selectionModel()->setCurrentIndex(model_.index(row, column),
                                            QItemSelectionModel::ClearAndSelect);
}

void ChannelTableView::editKeepingText() {
    const QModelIndex current = grid_.currentIndex();
    grid_.edit(current);
    if (QLineEdit* line = lineOf(grid_.indexWidget(current))) {
        line->deselect();
        line->end(false);
    }
}

bool ChannelTableView::gridKey(const QKeyEvent& key) {
    const int column = grid_.currentIndex().column();
    const bool moveKeys = key.modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
    if (key.matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(QString::fromStdString(table_.copyRows(place())));
    } else if (key.matches(QKeySequence::Cut)) {
        operate([this](const TablePlace& here) {
            std::string copied;
            const TablePlace after = table_.cutRows(here, copied);
            if (!copied.empty()) QApplication::clipboard()->setText(QString::fromStdString(copied));
            return after;
        });
    } else if (key.matches(QKeySequence::Paste)) {
        const std::string text = QApplication::clipboard()->text().toStdString();
        operate([&](const TablePlace& here) { return table_.paste(here, text); });
    } else if (key.key() == Qt::Key_Delete && key.modifiers() == Qt::NoModifier) {
        operate([this](const TablePlace& here) { return table_.deleteRows(here); });
    } else if (key.key() == Qt::Key_Insert && key.modifiers() == Qt::NoModifier) {
        operate([this](const TablePlace& here) { return table_.insertRow(here); });
    } else if (moveKeys && (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down)) {
        const MoveDirection direction =
            key.key() == Qt::Key_Up ? MoveDirection::Up : MoveDirection::Down;
        operate([&](const TablePlace& here) { return table_.moveRows(here, direction); });
    } else if (key.key() == Qt::Key_Space && column == kScanColumn) {
        const int channel = ChannelTableModel::channelOf(grid_.currentIndex());
        table_.toggleScan(channel);
        afterChange();
    } else if ((key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
               key.modifiers() == Qt::NoModifier) {
        moveCurrent(1, 0);
    } else if (key.key() == Qt::Key_F2) {
        editKeepingText();
    } else {
        return false;
    }
    return true;
}

bool ChannelTableView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &grid_ && event->type() == QEvent::KeyPress && !grid_.editing())
        return gridKey(*static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

} // namespace kl40::qt
