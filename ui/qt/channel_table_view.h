#pragma once
// The "Channel Table" window on Qt: a spreadsheet-like grid of the radio's
// channels with a status line below it. Keys and commands go to the window's
// logic (ui/channel_table.h); the grid shows the radio again after each.
//
// Keys: arrows move, Shift+arrows and Ctrl+click select, typing starts an
// edit that replaces the cell, F2 edits keeping it, Enter commits and moves
// down, Tab commits and moves right, Escape abandons the edit, Space toggles
// Scan, Delete empties the selected channels, Insert inserts an empty
// channel, Ctrl+Shift+Up/Down moves the selected rows, Ctrl+C/X/V copy, cut
// and paste whole rows.

#include "ui/channel_table.h"
#include "ui/qt/channel_table_model.h"

#include <QLabel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QWidget>

#include <functional>

namespace kl40::qt {

// The grid, with its editor's closing open to the window.
class ChannelGrid : public QTableView {
public:
    using QTableView::QTableView;
    // Ends an edit whose text the logic has taken.
    void finishEdit(QWidget* editor) { closeEditor(editor, QAbstractItemDelegate::NoHint); }
    bool editing() const { return state() == EditingState; }
};

// Editors of the cells: a line, or for CTCSS an editable list of the radio's
// tones. Enter and Tab in an editor go to `onCommitKey` (true: handled).
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    std::function<bool(QWidget* editor, int key)> onCommitKey;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    static QString editorText(const QWidget* editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

class ChannelTableView : public QWidget {
    Q_OBJECT

public:
    ChannelTableView(ChannelTableWindow& table, const Workspace& ws, QWidget* parent = nullptr);
    ~ChannelTableView() override;
    QSize sizeHint() const override;

    ChannelGrid& grid() { return grid_; }
    QLabel& statusLine() { return status_; }

    // Shows the radio again after a change made elsewhere (the entry form, undo).
    void showRadio();
    // The Edit menu's commands on the selected rows.
    void fill(const QString& start, const QString& stepKHz);
    void sort(SortKey key);

signals:
    // The table changed the radio: the other views must show it.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TablePlace place() const;
    void showPlace(const TablePlace& place);
    // Runs a logic operation on the current place, then shows its outcome.
    void operate(const std::function<TablePlace(const TablePlace&)>& operation);
    void afterChange();
    bool gridKey(const QKeyEvent& key);
    // Enter/Tab in an editor: commits, and on success closes it and moves.
    bool commitKey(QWidget* editor, int key);
    void editKeepingText();
    void moveCurrent(int rows, int columns);

    ChannelTableWindow& table_;
    ChannelTableModel model_;
    CellDelegate delegate_;
    ChannelGrid grid_;
    QLabel status_;
};

} // namespace kl40::qt
