#include "dialogs/ImageStrip.h"

#include <QPaintDevice>
#include <QPainter>

TImageStrip::TImageStrip(QSize imageSize, QObject* parent) : QObject(parent), size_(imageSize) {}

void TImageStrip::Add(TArtwork image) {
    images_.push_back(std::move(image));
    emit Changed();
}

void TImageStrip::AddResource(const QString& name) {
    Add(LoadArtwork(name));
}

void TImageStrip::Draw(QPainter& painter, QPoint at, int index) const {
    if (index < 0 || index >= Count())
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    painter.drawPixmap(QRect(at, size_), images_[static_cast<std::size_t>(index)].For(ratio));
}

TImageStrip* NewSmallButtonStrip(QObject* parent) {
    auto* strip = new TImageStrip(QSize(102, 28), parent);
    for (const char* name : {"DlgBtn0", "DlgBtn1", "DlgBtn2"})
        strip->AddResource(name);
    return strip;
}
