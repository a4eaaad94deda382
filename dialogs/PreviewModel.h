#pragma once

#include <QAbstractTableModel>

class TListSettings;

// The colours dialog's preview: 40 rows numbered from 1, reading "Odd Row" and "Even Row" in the row colours
// of the settings it shows.
class TPreviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TPreviewModel(const TListSettings& settings, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The settings changed: draw every row again.
    void Repaint();

private:
    const TListSettings& settings_;
};
