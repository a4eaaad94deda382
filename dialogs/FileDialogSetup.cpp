#include "dialogs/FileDialogSetup.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QMimeDatabase>

namespace {

class TIconsByName final : public QFileIconProvider {
public:
    TIconsByName() { setOptions(DontUseCustomDirectoryIcons); }

    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }

    QIcon icon(const QFileInfo& info) const override {
        if (info.isDir())
            return QFileIconProvider::icon(info);
        const QIcon themed = QIcon::fromTheme(MimeType(info).iconName());
        return themed.isNull() ? QFileIconProvider::icon(File) : themed;
    }

    QString type(const QFileInfo& info) const override {
        if (!info.isFile())
            return QFileIconProvider::type(info);
        const QMimeType mime = MimeType(info);
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }

private:
    QMimeType MimeType(const QFileInfo& info) const {
        return mimeTypes_.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    }

    QMimeDatabase mimeTypes_;
};

} // namespace

void NeverReadFilesWhileBrowsing(QFileDialog& dialog) {
    static TIconsByName icons;
    dialog.setIconProvider(&icons);
}
