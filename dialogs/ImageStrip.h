#pragma once

#include "dialogs/Artwork.h"

#include <QObject>
#include <QPoint>
#include <QSize>

#include <vector>

class QPainter;

// A row of pictures of one size, drawn by index; the image buttons paint from one.
class TImageStrip : public QObject {
    Q_OBJECT
public:
    TImageStrip(QSize imageSize, QObject* parent = nullptr);

    QSize ImageSize() const { return size_; }
    int Count() const { return static_cast<int>(images_.size()); }
    void Add(TArtwork image);
    // Appends the compiled-in artwork of that name; raises when there is none.
    void AddResource(const QString& name);
    // Draws image index with its top-left corner at at; an index outside the strip draws nothing.
    void Draw(QPainter& painter, QPoint at, int index) const;

signals:
    void Changed();

private:
    QSize size_;
    std::vector<TArtwork> images_;
};

// The 102 x 28 strip whose images 0 to 2 are the dialogs' OK, Cancel and Close buttons.
TImageStrip* NewSmallButtonStrip(QObject* parent);
