#include "dialogs/PreviewModel.h"

#include "core/ListSettings.h"
#include "dialogs/FontAndColor.h"

namespace {
constexpr int PreviewRows = 40;
}

TPreviewModel::TPreviewModel(const TListSettings& settings, QObject* parent)
    : QAbstractTableModel(parent), settings_(settings) {}

int TPreviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : PreviewRows;
}

int TPreviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

// Rows count from 1: the first, third, ... row is an odd row.
QVariant TPreviewModel::data(const QModelIndex& index, int role) const {
    const bool evenRow = index.row() % 2 == 1;
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == 0)
            return QString::number(index.row() + 1);
        return evenRow ? QString("Even Row") : QString("Odd Row");
    case Qt::ForegroundRole:
        return ToQColor(settings_.GetColor(evenRow ? TListSettings::EvenText : TListSettings::OddText));
    case Qt::BackgroundRole:
        return ToQColor(settings_.GetColor(evenRow ? TListSettings::EvenBack : TListSettings::OddBack));
    default:
        return QVariant();
    }
}

QVariant TPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    return section == 0 ? QString("#") : QString("Column");
}

void TPreviewModel::Repaint() {
    emit dataChanged(index(0, 0), index(PreviewRows - 1, 1));
}
