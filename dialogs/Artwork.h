#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// A picture of the program's compiled-in artwork, drawn for normal and for double pixel density.
struct TArtwork {
    QPixmap Normal;
    QPixmap Double;

    // The picture that suits a device of that pixel ratio.
    const QPixmap& For(qreal devicePixelRatio) const;
};

// The artwork of that resource name ("BtnImg01", "Banner", ...); raises when the program carries none.
TArtwork LoadArtwork(const QString& name);
// The program's icon in all its sizes.
QIcon ProgramIcon();
