#pragma once

#include "core/WordFrequency.h"

#include <QAbstractTableModel>

#include <string>
#include <vector>

// The word-frequency table: a word or phrase and the number of entries holding it, one row each. Sorting
// and filtering reorder a vector of row numbers over the counts, so a million rows stay cheap.
class TWordFrequencyModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn { WordColumn = 0, EntriesColumn = 1 };

    explicit TWordFrequencyModel(QObject* parent = nullptr);

    // Shows these counts, in the counting's order (most entries first, then by text), sorted and filtered as
    // before.
    void SetCounts(std::vector<TWordCount> counts);
    // Shows only the texts that hold filter, ignoring case; an empty filter shows all.
    void SetFilter(const std::string& filter);
    // The text shown in that row.
    const std::string& TextAt(int row) const;
    const TWordCount& CountAt(int row) const;
    // The number of counted texts, shown or not.
    int CountTotal() const { return static_cast<int>(counts_.size()); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Ties keep the other column's order: equal counts by text, and texts are unique.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void Order();
    void Filter();

    std::vector<TWordCount> counts_;
    // All counts in the shown order, and those of them the filter lets through.
    std::vector<int> order_;
    std::vector<int> shown_;
    std::string filter_;
    int sortColumn_ = EntriesColumn;
    Qt::SortOrder sortOrder_ = Qt::DescendingOrder;
};
