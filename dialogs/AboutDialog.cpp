#include "dialogs/AboutDialog.h"

#include "dialogs/ApplicationLook.h"
#include "dialogs/Artwork.h"
#include "dialogs/DialogControls.h"
#include "dialogs/LinkLabel.h"
#include "frame/ManagementLayer.h"

#include <QLabel>
#include <QRegularExpression>

namespace {
// The home page's address as people write it: without the scheme and the closing slash.
QString ShownAddress() {
    QString address = HomePageAddress;
    address.remove(QRegularExpression("^[a-z]+://"));
    if (address.endsWith('/'))
        address.chop(1);
    return address;
}
} // namespace

TfrmAbout::TfrmAbout() : TDialogForm("About", QSize(407, 152)) {
    setObjectName("frmAbout");
    QLabel* icon = AddLabel(this, "Image1", QString(), QRect(16, 24, 64, 64));
    icon->setPixmap(ProgramIcon().pixmap(QSize(64, 64), devicePixelRatioF()));
    QLabel* title = AddLabel(this, "lblTitle", ApplicationTitle, QRect(88, 16, 313, 22));
    QFont titleFont("Arial");
    titleFont.setPixelSize(19);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    LinkLabel1 = new TLinkLabel(this);
    LinkLabel1->setObjectName("LinkLabel1");
    LinkLabel1->setText(ShownAddress());
    LinkLabel1->setGeometry(167, 48, 157, 13);
    QFont linkFont("MS Sans Serif", 8);
    linkFont.setUnderline(true);
    LinkLabel1->SetSimpleFont({linkFont, QColor(0, 0, 255)});
    LinkLabel1->SetHoverFont({linkFont, QColor(255, 0, 0)});
    connect(LinkLabel1, &TLinkLabel::clicked, this, [this] {
        if (management_)
            management_->OpenHomePage();
    });
    AddLabel(this, "Label2", "Copyright \u00A9 Pellox Software. All rights reserved.",
             QRect(96, 80, 298, 13));
    connect(AddImageButton("ButtonEx1", "Close", QPoint(291, 110)), &TButtonEx::clicked, this,
            &QDialog::accept);
}

void TfrmAbout::ShowModally(const TManagementLayer& management) {
    management_ = &management;
    RunModally();
}
