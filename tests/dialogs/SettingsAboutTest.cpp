#include "core/BusinessLogicLayer.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/EnsureForm.h"
#include "dialogs/FontAndColor.h"
#include "dialogs/LinkLabel.h"
#include "dialogs/PreviewModel.h"
#include "dialogs/SettingsDialog.h"
#include "frame/ErrorLog.h"
#include "frame/Files.h"
#include "frame/ManagementLayer.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QColorDialog>
#include <QComboBox>
#include <QEnterEvent>
#include <QFontDialog>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>

#include <optional>

namespace {
std::optional<TBusinessLogicLayer> lists;
QPointer<TfrmAbout> frmAbout;
QPointer<TfrmSettings> frmSettings;
TKeepingSettings keeping;
} // namespace

namespace {
TKeyItems& List(int index) {
    return lists->GetList(index);
}

TModalScript::TStep ChooseColor(QColor color) {
    return [color](QDialog& dialog) {
        auto& chooser = dynamic_cast<QColorDialog&>(dialog);
        chooser.setCurrentColor(color);
        chooser.accept();
    };
}

TModalScript::TStep ClickColorButton(int colorIndex) {
    return [colorIndex](QDialog& dialog) {
        QToolButton* button = static_cast<TfrmSettings&>(dialog).ColorButtons[std::size_t(colorIndex - 1)];
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    };
}

// Whether any pixel of the face's word area is light; meant for dark swatches.
bool WordIsWhite(std::uint32_t color) {
    const QImage face = ColorButtonFace(color, "Back", LoadArtwork("DropArrow"), 1.0).toImage();
    for (int y = 1; y < 12; ++y)
        for (int x = 11; x < 53; ++x)
            if (face.pixelColor(x, y).lightness() > 200)
                return true;
    return false;
}
} // namespace

class SettingsAboutTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private slots:
    void initTestCase() {
        UseProgramLook();
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        lists.emplace();
        for (const char* name : {"List-A", "List-B"})
            lists->NewList().Name = name;
        lists->SetCurrentList(&List(0));
        EnsureForm(frmSettings);
        EnsureForm(frmAbout);
    }
    void cleanupTestCase() {
        FreeAdoptedForms();
        lists.reset();
    }

    void preview_rows_read_and_colour_as_odd_and_even() {
        QAbstractItemModel* model = frmSettings->lvPreview->model();
        QCOMPARE(model->rowCount(), 40);
        QCOMPARE(model->index(0, 0).data().toString(), QString("1"));
        QCOMPARE(model->index(0, 1).data().toString(), QString("Odd Row"));
        QCOMPARE(model->index(1, 1).data().toString(), QString("Even Row"));
        QCOMPARE(model->index(39, 0).data().toString(), QString("40"));
        frmSettings->Working.SetColor(TListSettings::OddBack, 0x0000FF);
        frmSettings->Working.SetColor(TListSettings::EvenText, 0x00FF00);
        QCOMPARE(model->index(0, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 0));
        QCOMPARE(model->index(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 255, 0));
    }

    void face_word_is_white_only_on_pure_black() {
        QVERIFY(WordIsWhite(0));
        QVERIFY(!WordIsWhite(0x010101));
        QCOMPARE(ColorButtonFace(0, "Back", LoadArtwork("DropArrow"), 1.0).size(), QSize(67, 13));
    }

    void cancel_discards_colour_and_font_edits() {
        TKeyItems& list = List(1);
        const TListSettings before = list.Settings;
        TModalScript script{[](QDialog& dialog) {
                                QCOMPARE(dialog.windowTitle(), QString("Colors & Fonts (List-B)"));
                                ClickColorButton(1)(dialog);
                                QCOMPARE(static_cast<TfrmSettings&>(dialog).Working.GetColor(1), 0u);
                                QCOMPARE(static_cast<TfrmSettings&>(dialog)
                                             .lvPreview->model()
                                             ->index(1, 0)
                                             .data(Qt::BackgroundRole)
                                             .value<QColor>(),
                                         QColor(Qt::black));
                                ClickCancel(dialog);
                            },
                            ChooseColor(Qt::black),
                            [](QDialog& dialog) {
                                QCOMPARE(static_cast<TfrmSettings&>(dialog).Working.GetColor(1), 0xFFFFFFu);
                                dialog.close();
                            }};
        TFileEncodings encodings;
        QVERIFY(!frmSettings->Execute(list, encodings, keeping));
        QCOMPARE(list.Settings.GetColor(1), before.GetColor(1));
        QVERIFY(!frmSettings->Execute(list, encodings, keeping));
        QVERIFY(script.Done());
    }

    void ok_copies_font_and_colours_only_to_the_edited_list() {
        TKeyItems& list = List(0);
        list.Settings.SetColumnWidth(1, 321);
        list.Settings.Font.Color = 0x123456;
        TModalScript script{[](QDialog& dialog) {
                                ClickColorButton(3)(dialog);
                                auto* font = dialog.findChild<QPushButton*>("btnFont");
                                QTest::mouseClick(font, Qt::LeftButton);
                                QCOMPARE(static_cast<TfrmSettings&>(dialog).lvPreview->font().pointSize(),
                                         14);
                                ClickOk(dialog);
                            },
                            ChooseColor(QColor(1, 2, 3)),
                            [](QDialog& dialog) {
                                QFont chosen("Liberation Serif", 14);
                                chosen.setItalic(true);
                                dynamic_cast<QFontDialog&>(dialog).setCurrentFont(chosen);
                                dialog.accept();
                            }};
        TFileEncodings encodings;
        QVERIFY(frmSettings->Execute(list, encodings, keeping));
        QVERIFY(script.Done());
        QCOMPARE(list.Settings.GetColor(3), 0x030201u);
        QCOMPARE(list.Settings.Font.Name, std::string("Liberation Serif"));
        QCOMPARE(list.Settings.Font.Size, 14);
        QCOMPARE(list.Settings.Font.Style, std::uint8_t(StyleItalic));
        QCOMPARE(list.Settings.Font.Color, 0x123456u);
        QCOMPARE(list.Settings.GetColumnWidth(1), 321);
        QCOMPARE(List(1).Settings.GetColor(3), TListSettings().GetColor(3));
    }

    void encodings_show_the_current_ones_and_change_only_on_ok() {
        const TFileEncodings current{{TEncoding::CodePage, 1251}, {TEncoding::Utf16LE}};
        const auto pick = [](const char* boxName, const QString& caption) {
            return [=](QDialog& dialog) {
                auto* box = dialog.findChild<QComboBox*>(boxName);
                QCOMPARE(box->currentText(), boxName == QString("cmbImportEncoding")
                                                 ? QString("Windows-1251 (Cyrillic)")
                                                 : QString("UTF-16 LE"));
                box->setCurrentIndex(box->findText(caption));
                QVERIFY(box->currentIndex() >= 0);
            };
        };
        TModalScript script{[&](QDialog& dialog) {
                                pick("cmbImportEncoding", "UTF-8")(dialog);
                                ClickCancel(dialog);
                            },
                            [&](QDialog& dialog) {
                                pick("cmbImportEncoding", "UTF-16 BE")(dialog);
                                pick("cmbExportEncoding", "Windows-1250 (Central European)")(dialog);
                                SaveScreenshot(dialog, "settings-encodings");
                                ClickOk(dialog);
                            }};
        TFileEncodings encodings = current;
        QVERIFY(!frmSettings->Execute(List(0), encodings, keeping));
        QCOMPARE(EncodingName(encodings.Import), EncodingName(current.Import));
        QVERIFY(frmSettings->Execute(List(0), encodings, keeping));
        QVERIFY(script.Done());
        QCOMPARE(EncodingName(encodings.Import), std::string("utf-16be"));
        QCOMPARE(EncodingName(encodings.Export), std::string("windows-1250"));
    }

    void about_link_turns_red_under_mouse_and_opens_home_page() {
        TErrorLog log;
        const TManagementLayer management(*lists, log);
        std::vector<std::string> opened;
        SetShellOpenHandler([&](const std::string& target) {
            opened.push_back(target);
            return true;
        });
        TModalScript script{[&](QDialog& dialog) {
            auto& about = static_cast<TfrmAbout&>(dialog);
            TLinkLabel* link = about.LinkLabel1;
            QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
            QCOMPARE(link->ShownFont().Color, QColor(0, 0, 255));
            QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(link, &enter);
            QCOMPARE(link->ShownFont().Color, QColor(255, 0, 0));
            QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
            QCOMPARE(opened, std::vector<std::string>({HomePageAddress}));
            QVERIFY(dialog.isVisible());
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(link, &leave);
            QCOMPARE(link->ShownFont().Color, QColor(0, 0, 255));
            ClickButton(dialog, "ButtonEx1");
        }};
        frmAbout->ShowModally(management);
        QVERIFY(script.Done());
        QCOMPARE(frmAbout->result(), int(QDialog::Accepted));
        SetShellOpenHandler({});
    }
};

QTEST_MAIN(SettingsAboutTest)
#include "SettingsAboutTest.moc"
