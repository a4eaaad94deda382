#pragma once

#include <QAbstractTableModel>

// Two columns and a row count, nothing else: the list view fetches each row's contents itself when it
// paints, so the model never holds or copies the texts.
class TVirtualRowModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetRowCount(int count);
    void SetCaptions(const QString& first, const QString& second);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    int count_ = 0;
    QString captions_[2];
};
