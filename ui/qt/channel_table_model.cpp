#include "ui/qt/channel_table_model.h"

namespace kl40::qt {

namespace {

bool isNumeric(int column) {
    return column == kNumberColumn || column == kReceiveColumn ||
           column == TableColumn(Column::Transmit) || column == TableColumn(Column::Offset) ||
           column == TableColumn(Column::Ctcss);
}

} // namespace

ChannelTableModel::ChannelTableModel(ChannelTableWindow& table, const Workspace& ws,
                                     QObject* parent)
    : QAbstractTableModel(parent), table_(table), ws_(ws), shown_(ws.data.radio.channels) {}

int ChannelTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kHighestChannel;
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kTableColumnCount;
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(table_.cellText(channelOf(index), index.column()));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue((isNumeric(index.column()) ? Qt::AlignRight : Qt::AlignLeft) |
                                   Qt::AlignVCenter);
    return {};
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return QString::fromStdString(ColumnTitle(section));
    return section + 1;
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return ChannelTableWindow::editable(index.column()) ? flags | Qt::ItemIsEditable : flags;
}

bool ChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || (role != Qt::EditRole && role != kLeavingRole)) return false;
    const std::string text = value.toString().toStdString();
    const bool taken = role == kLeavingRole
                           ? table_.commitLeaving(channelOf(index), index.column(), text)
                           : table_.commit(channelOf(index), index.column(), text);
    showRadio();
    return taken;
}

void ChannelTableModel::showRadio() {
    const ChannelTable& now = ws_.data.radio.channels;
    int first = -1;
    int last = -1;
    for (int n = 1; n <= kHighestChannel; ++n) {
        const auto slot = static_cast<std::size_t>(n);
        if (now[slot] == shown_[slot]) continue;
        if (first < 0) first = n;
        last = n;
    }
    if (first < 0) return;
    shown_ = now;
    emit dataChanged(index(first - 1, 0), index(last - 1, kTableColumnCount - 1),
                     {Qt::DisplayRole, Qt::EditRole});
}

} // namespace kl40::qt
