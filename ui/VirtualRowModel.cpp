#include "VirtualRowModel.h"

#include <algorithm>

void TVirtualRowModel::SetRowCount(int count) {
    count = std::max(count, 0);
    if (count == count_)
        return;
    // Always a reset: the headers lay out a reset lazily, an insertion or removal section by section.
    beginResetModel();
    count_ = count;
    endResetModel();
}

void TVirtualRowModel::SetCaptions(const QString& first, const QString& second) {
    captions_[0] = first;
    captions_[1] = second;
    emit headerDataChanged(Qt::Horizontal, 0, 1);
}

int TVirtualRowModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count_;
}

int TVirtualRowModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant TVirtualRowModel::data(const QModelIndex&, int) const {
    return {};
}

QVariant TVirtualRowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 2)
        return captions_[section];
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags TVirtualRowModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
