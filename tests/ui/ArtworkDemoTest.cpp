// A demonstration window with the program's artwork as the main window lays it out: banner, logo, the image
// buttons with their drop-down menus, the list tabs, a link label and the dialogs' buttons. With
// PT_SCREENSHOT_DIR set it also saves a picture of itself there.
#include "dialogs/ButtonEx.h"
#include "dialogs/ImageStrip.h"
#include "dialogs/LinkLabel.h"
#include "dialogs/PopupBelow.h"
#include "ui/Action.h"
#include "ui/ActionList.h"
#include "ui/Application.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QtTest>

namespace {
struct TDemoButton {
    const char* Caption;
    int Left, Top;
};

const TDemoButton LargeButtons[] = {{"Add", 24, 129},        {"Import", 24, 160},  {"Delete", 24, 191},
                                    {"Clean", 189, 129},     {"Modify", 189, 160}, {"Multiply", 189, 191},
                                    {"Highlight", 354, 129}, {"Export", 354, 160}};
const TDemoButton SmallButtons[] = {
    {"Config", 671, 129}, {"About", 671, 160}, {"Tray", 671, 478}, {"Close", 671, 509}, {"Edit", 671, 191}};

QLabel* Picture(QWidget* parent, const QString& name, QRect bounds) {
    auto* label = new QLabel(parent);
    label->setPixmap(LoadArtwork(name).For(parent->devicePixelRatioF()));
    label->setGeometry(bounds);
    return label;
}

class TDemoWindow : public QWidget {
public:
    TDemoWindow() {
        setFixedSize(792, 562);
        setWindowTitle(TApplication::Title());
        large_ = new TImageStrip(QSize(152, 28), this);
        small_ = NewSmallButtonStrip(this);
        tabs_ = new TImageStrip(QSize(102, 22), this);
        for (int i = 1; i <= 24; ++i)
            large_->AddResource(QString("BtnImg%1").arg(i, 2, 10, QChar('0')));
        for (int i = 25; i <= 39; ++i)
            small_->AddResource(QString("BtnImg%1").arg(i, 2, 10, QChar('0')));
        for (int i = 0; i < 3; ++i)
            tabs_->AddResource(QString("TabImg%1").arg(i));

        Picture(this, "Banner", QRect(0, 0, 792, 100));
        Picture(this, "Logo", QRect(606, 13, 173, 25))->setCursor(Qt::PointingHandCursor);
        const char* steps[] = {"1. Create List", "2. Change", "3. Handle Output"};
        for (int i = 0; i < 3; ++i) {
            auto* step = new QLabel(steps[i], this);
            QFont bold = step->font();
            bold.setBold(true);
            step->setFont(bold);
            step->move(25 + 165 * i, 109);
        }
        for (int i = 0; i < 8; ++i)
            Buttons.push_back(AddButton(large_, i * 3, LargeButtons[i]));
        for (int i = 0; i < 4; ++i)
            Buttons.push_back(AddButton(small_, 3 + i * 3, SmallButtons[i]));
        menu_ = new QMenu(this);
        Delete = new TAction("aDeleteAll", menu_);
        Delete->setText("All Entries...");
        menu_->addAction(Delete);
        connect(Buttons[2], &TButtonEx::clicked, this, [this] { PopupBelow(*menu_, *Buttons[2]); });

        auto* frame = new QFrame(this);
        frame->setGeometry(25, 261, 627, 276);
        frame->setStyleSheet("background: white; border: 1px solid rgb(145, 155, 157);");
        for (int i = 0; i < 6; ++i) {
            auto* tab = new TButtonEx(this);
            tab->SetImageList(tabs_);
            tab->SetCaption(QString("List-%1").arg(QChar('A' + i)));
            tab->SetCaptionMarginX(23);
            tab->SetCaptionMarginY(5);
            tab->move(25 + 103 * i, 240);
            tab->SetDown(i == 0);
            Tabs.push_back(tab);
        }
        Link = new TLinkLabel(this);
        Link->setText("www.pellox.com");
        Link->move(40, 280);
        Ok = AddButton(small_, 0, {"OK", 40, 320});
        Ok->SetCaptionMarginX(-1);
        auto* cancel = AddButton(small_, 0, {"Cancel", 155, 320});
        cancel->SetCaptionMarginX(-1);
        Buttons[1]->SetDown(true);
    }

    std::vector<TButtonEx*> Buttons;
    std::vector<TButtonEx*> Tabs;
    TLinkLabel* Link = nullptr;
    TButtonEx* Ok = nullptr;
    TAction* Delete = nullptr;

private:
    TButtonEx* AddButton(TImageStrip* strip, int start, const TDemoButton& place) {
        auto* button = new TButtonEx(this);
        button->SetImageList(strip);
        button->SetImageStartIndex(start);
        button->SetCaption(place.Caption);
        button->SetCaptionMarginX(32);
        button->move(place.Left, place.Top);
        return button;
    }

    TImageStrip* large_ = nullptr;
    TImageStrip* small_ = nullptr;
    TImageStrip* tabs_ = nullptr;
    QMenu* menu_ = nullptr;
};
} // namespace

class ArtworkDemoTest : public QObject {
    Q_OBJECT

private slots:
    void demo_window_shows_the_artwork() {
        TDemoWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.Buttons[0]->size(), QSize(152, 28));
        QCOMPARE(window.Buttons[8]->size(), QSize(102, 28));
        QCOMPARE(window.Tabs[0]->size(), QSize(102, 22));
        QCOMPARE(window.Buttons[0]->ImageList()->Count(), 24);
        QCOMPARE(window.Buttons[8]->ImageList()->Count(), 18);
        // Normal, hover and pressed differ in every strip.
        for (TButtonEx* button : {window.Buttons[0], window.Buttons[8], window.Tabs[1]}) {
            std::vector<QImage> looks;
            for (int state = 0; state < 3; ++state) {
                QImage image(button->size(), QImage::Format_ARGB32);
                image.fill(Qt::transparent);
                QPainter painter(&image);
                button->ImageList()->Draw(painter, QPoint(0, 0), button->ImageStartIndex() + state);
                looks.push_back(image);
            }
            QVERIFY(looks[0] != looks[1] && looks[1] != looks[2] && looks[0] != looks[2]);
        }
        // The hovered link and the open menu of "Delete" appear in the picture.
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(window.Link, &enter);
        QTest::mouseClick(window.Buttons[2], Qt::LeftButton, {}, QPoint(40, 14));
        const QString folder = qEnvironmentVariable("PT_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            QVERIFY(window.grab().save(QDir(folder).filePath("artwork-demo.png")));
    }
};

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    ArtworkDemoTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ArtworkDemoTest.moc"
