#include "dialogs/Artwork.h"

#include "core/Exceptions.h"

#include <QFile>

// The artwork is compiled into this static library, whose resource initialiser the linker keeps only when
// something refers to it.
static void LinkArtwork() {
    static const bool linked = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)linked;
}

const QPixmap& TArtwork::For(qreal devicePixelRatio) const {
    return devicePixelRatio > 1.0 && !Double.isNull() ? Double : Normal;
}

TArtwork LoadArtwork(const QString& name) {
    LinkArtwork();
    const QString base = ":/art/" + name;
    TArtwork art{QPixmap(base + ".png"), QPixmap(base + "@2x.png")};
    if (art.Normal.isNull())
        throw Exception("Resource " + name.toStdString() + " not found");
    art.Double.setDevicePixelRatio(2.0);
    return art;
}

QIcon ProgramIcon() {
    LinkArtwork();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addFile(QString(":/art/Icon%1.png").arg(size), QSize(size, size));
    return icon;
}
