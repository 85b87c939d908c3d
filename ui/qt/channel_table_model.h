#pragma once
// The channel table's cells for a QTableView: one row per channel, the
// columns of ui/channel_table.h. The model holds nothing of its own; it asks
// the window's logic for every cell and hands typed text back to it.

#include "ui/channel_table.h"

#include <QAbstractTableModel>

namespace kl40::qt {

class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    ChannelTableModel(ChannelTableWindow& table, const Workspace& ws, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The role of text from an editor the operator left without Enter or Tab.
    static constexpr int kLeavingRole = Qt::UserRole + 1;
    // Commits typed text through the logic (EditRole: Enter or Tab;
    // kLeavingRole: the editor was left otherwise); false when it was refused.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Tells the views about every cell that differs from what they last
    // showed (after an undo, a change in the entry form or a table operation).
    void showRadio();

    static int channelOf(const QModelIndex& index) { return index.row() + 1; }

private:
    ChannelTableWindow& table_;
    const Workspace& ws_;
    ChannelTable shown_;
};

} // namespace kl40::qt
