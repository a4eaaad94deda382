#include "dialogs/WordFrequencyModel.h"

#include "core/CaseFolding.h"

#include <QLocale>

#include <algorithm>
#include <numeric>

TWordFrequencyModel::TWordFrequencyModel(QObject* parent) : QAbstractTableModel(parent) {}

void TWordFrequencyModel::SetCounts(std::vector<TWordCount> counts) {
    beginResetModel();
    counts_ = std::move(counts);
    Order();
    Filter();
    endResetModel();
}

void TWordFrequencyModel::SetFilter(const std::string& filter) {
    // The counted texts are folded, so a folded filter finds them byte for byte.
    std::string folded = Folded(filter);
    if (folded == filter_)
        return;
    beginResetModel();
    filter_ = std::move(folded);
    Filter();
    endResetModel();
}

const std::string& TWordFrequencyModel::TextAt(int row) const {
    return CountAt(row).Text;
}

const TWordCount& TWordFrequencyModel::CountAt(int row) const {
    return counts_[static_cast<std::size_t>(shown_.at(static_cast<std::size_t>(row)))];
}

int TWordFrequencyModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int TWordFrequencyModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant TWordFrequencyModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == EntriesColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                               : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const TWordCount& count = CountAt(index.row());
    if (index.column() == WordColumn)
        return QString::fromStdString(count.Text);
    return QLocale().toString(count.Entries);
}

QVariant TWordFrequencyModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == WordColumn ? QString("Word") : QString("Entries");
}

void TWordFrequencyModel::sort(int column, Qt::SortOrder order) {
    if (column != WordColumn && column != EntriesColumn)
        return;
    beginResetModel();
    sortColumn_ = column;
    sortOrder_ = order;
    Order();
    Filter();
    endResetModel();
}

void TWordFrequencyModel::Order() {
    order_.resize(counts_.size());
    std::iota(order_.begin(), order_.end(), 0);
    const auto text = [this](int i) -> const std::string& {
        return counts_[static_cast<std::size_t>(i)].Text;
    };
    const auto entries = [this](int i) { return counts_[static_cast<std::size_t>(i)].Entries; };
    const bool up = sortOrder_ == Qt::AscendingOrder;
    // The counting hands the counts over in this order.
    if (sortColumn_ == EntriesColumn && !up)
        return;
    if (sortColumn_ == WordColumn)
        std::sort(order_.begin(), order_.end(),
                  [&](int a, int b) { return up ? text(a) < text(b) : text(b) < text(a); });
    else
        std::sort(order_.begin(), order_.end(), [&](int a, int b) {
            if (entries(a) != entries(b))
                return up ? entries(a) < entries(b) : entries(b) < entries(a);
            return text(a) < text(b);
        });
}

void TWordFrequencyModel::Filter() {
    shown_.clear();
    if (filter_.empty()) {
        shown_ = order_;
        return;
    }
    std::copy_if(order_.begin(), order_.end(), std::back_inserter(shown_), [this](int i) {
        return counts_[static_cast<std::size_t>(i)].Text.find(filter_) != std::string::npos;
    });
}
