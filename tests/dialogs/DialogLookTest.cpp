// Every dialog as the user meets it: size, colour, title, the image buttons, Esc and the close box. With
// PT_SCREENSHOT_DIR set, each dialog's picture is saved there.
#include "core/BusinessLogicLayer.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/AddWordDialog.h"
#include "dialogs/AddWordsDialog.h"
#include "dialogs/AskWordsDialog.h"
#include "dialogs/CharactersDialog.h"
#include "dialogs/CombineWordsDialog.h"
#include "dialogs/EnsureForm.h"
#include "dialogs/MisspelledDialog.h"
#include "dialogs/SearchReplaceDialog.h"
#include "dialogs/SelectListDialog.h"
#include "dialogs/SettingsDialog.h"
#include "dialogs/WordCountDialog.h"
#include "frame/ErrorLog.h"
#include "frame/ManagementLayer.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QKeyEvent>

#include <algorithm>
#include <optional>

namespace {
std::optional<TBusinessLogicLayer> lists;
QPointer<TfrmAbout> frmAbout;
QPointer<TfrmAddWord> frmAddWord;
QPointer<TfrmAddWords> frmAddWords;
QPointer<TfrmAskWords> frmAskWords;
QPointer<TfrmCharacters> frmCharacters;
QPointer<TfrmCombineWords> frmCombineWords;
QPointer<TfrmMisspelled> frmMisspelled;
QPointer<TfrmSearchReplace> frmSearchReplace;
QPointer<TfrmSelectList> frmSelectList;
QPointer<TfrmSettings> frmSettings;
QPointer<TfrmWordCount> frmWordCount;
TKeepingSettings keeping;
} // namespace

using TLines = std::vector<std::string>;

class DialogLookTest : public QObject {
    Q_OBJECT

    // Checks the conventions, saves the picture, then tries Esc (which must not end the run) and closes.
    static TModalScript::TStep Look(const QString& name, QSize clientSize, const QString& title,
                                    const char* okName = "ButtonEx1") {
        return [=](QDialog& dialog) {
            QCOMPARE(dialog.size(), clientSize);
            QCOMPARE(dialog.minimumSize(), clientSize);
            QCOMPARE(dialog.maximumSize(), clientSize);
            QCOMPARE(dialog.windowTitle(), title);
            QCOMPARE(dialog.palette().color(QPalette::Window), QColor(224, 223, 228));
            QCOMPARE(dialog.font().family(), QString("Tahoma"));
            auto* ok = dialog.findChild<TButtonEx*>(okName);
            QVERIFY(ok);
            QCOMPARE(ok->size(), QSize(102, 28));
            QCOMPARE(ok->focusPolicy(), Qt::NoFocus);
            SaveScreenshot(dialog, name);
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&dialog, &escape);
            QVERIFY(dialog.isVisible());
            dialog.close();
        };
    }

private slots:
    void initTestCase() {
        UseProgramLook();
        lists.emplace();
        for (int i = 0; i < 3; ++i)
            lists->NewList().Name = std::string("List-") + char('A' + i);
        lists->SetCurrentList(&lists->GetList(0));
    }
    void cleanupTestCase() {
        FreeAdoptedForms();
        lists.reset();
    }

    void add_word() {
        EnsureForm(frmAddWord);
        std::string word;
        TLines recent{"shoes", "red boots"};
        TModalScript script{Look("AddWord", QSize(279, 158), "Word To Add")};
        QVERIFY(!frmAddWord->Execute(word, recent));
        QVERIFY(script.Done());
    }

    void add_words() {
        EnsureForm(frmAddWords);
        TLines lines{"red shoes", "blue shoes"};
        bool append = true;
        TModalScript script{Look("AddWords", QSize(326, 332), "Add Keywords")};
        QVERIFY(!frmAddWords->Execute(lines, append));
        QVERIFY(script.Done());
    }

    void ask_words() {
        EnsureForm(frmAskWords);
        TLines lines{"cheap", "free"};
        TModalScript script{Look("AskWords", QSize(351, 278), "Unwanted Words", "btnOK")};
        QVERIFY(!frmAskWords->Execute("Unwanted Words", lines));
        QVERIFY(script.Done());
    }

    void characters() {
        EnsureForm(frmCharacters);
        TCharSet chars;
        TModalScript script{Look("Characters", QSize(291, 275), "Unwanted characters")};
        QVERIFY(!frmCharacters->Execute(chars));
        QVERIFY(script.Done());
    }

    void search_replace() {
        EnsureForm(frmSearchReplace);
        std::string find, replacement;
        TLines searchList{"shoe"}, replaceList{"boot"};
        TModalScript script{Look("SearchReplace", QSize(333, 180), "Replace")};
        QVERIFY(!frmSearchReplace->Execute(find, replacement, searchList, replaceList));
        QVERIFY(script.Done());
    }

    void select_list() {
        EnsureForm(frmSelectList);
        bool empty = false;
        TModalScript script{Look("SelectList", QSize(279, 176), "List Selection")};
        QVERIFY(frmSelectList->Execute(*lists, empty) == nullptr);
        QVERIFY(script.Done());
    }

    void word_count() {
        EnsureForm(frmWordCount);
        // The design's width, or wider where the title would not fit.
        const QString title = "Delete entries with more than 'N' words";
        TModalScript script{Look("WordCount", QSize(std::max(277, TitleBarWidth(title)), 138), title)};
        QCOMPARE(frmWordCount->Execute(title.toStdString()), 0);
        QVERIFY(script.Done());
    }

    void combine_words() {
        EnsureForm(frmCombineWords);
        std::uint8_t kind = 9;
        TKeyItems* target = nullptr;
        int limit = 5;
        TLines words;
        TModalScript script{Look("CombineWords", QSize(413, 348), "Combine Words")};
        QVERIFY(!frmCombineWords->Execute(*lists, false, kind, target, limit, words));
        QVERIFY(script.Done());
    }

    void misspelled() {
        EnsureForm(frmMisspelled);
        std::uint8_t kind = 9, kinds = 0;
        TKeyItems* target = nullptr;
        TLines words;
        TModalScript script{Look("Misspelled", QSize(545, 257), "Create Misspellings")};
        QVERIFY(!frmMisspelled->Execute(*lists, true, kind, target, kinds, words));
        QVERIFY(script.Done());
    }

    void settings() {
        EnsureForm(frmSettings);
        TKeyItems& list = lists->GetList(1);
        list.Settings.SetColor(TListSettings::EvenBack, 0);
        list.Settings.SetColor(TListSettings::EvenText, 0xFFFFFF);
        TModalScript script{Look("Settings", QSize(492, 416), "Colors & Fonts (List-B)")};
        TFileEncodings encodings;
        QVERIFY(!frmSettings->Execute(list, encodings, keeping));
        QVERIFY(script.Done());
    }

    void about() {
        EnsureForm(frmAbout);
        TModalScript script{Look("About", QSize(407, 152), "About")};
        TErrorLog log;
        frmAbout->ShowModally(TManagementLayer(*lists, log));
        QVERIFY(script.Done());
    }
};

QTEST_MAIN(DialogLookTest)
#include "DialogLookTest.moc"
