// The management layer's dialog entry points running the real dialog windows.
#include "core/CheckpointTrail.h"
#include "dialogs/AddWordDialog.h"
#include "dialogs/ApplicationForms.h"
#include "dialogs/AskWordsDialog.h"
#include "dialogs/CharactersDialog.h"
#include "dialogs/ParameterDialogWindows.h"
#include "dialogs/SearchReplaceDialog.h"
#include "dialogs/WordCountDialog.h"
#include "frame/ManagementLayer.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>

using TLines = std::vector<std::string>;

namespace {
TModalScript::TStep TypeWords(const QString& text) {
    return [text](QDialog& dialog) {
        QVERIFY(TrailText().find("d016") != std::string::npos);
        QCOMPARE(TopCheckpoint(), std::string("d031"));
        static_cast<TfrmAskWords&>(dialog).mmWords->setPlainText(text);
        ClickOk(dialog);
    };
}
} // namespace

class EntryPointsTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;
    TParameterDialogWindows windows_;

private slots:
    void initTestCase() {
        UseProgramLook();
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        CreateManagementLayer();
        ManagementLayer->SetParameterDialogs(&windows_);
    }
    void cleanupTestCase() {
        DestroyManagementLayer();
        FreeAdoptedForms();
    }

    void ask_words_drops_empty_lines_and_upper_cases() {
        TLines lines{"old"};
        TModalScript script{TypeWords("shoes\n\nred  boots\n   \n")};
        QVERIFY(ManagementLayer->AskWords("Unwanted Words", lines, true));
        QCOMPARE(lines, TLines({"SHOES", "RED  BOOTS", "   "}));
        QVERIFY(TrailEmpty());
    }

    void ask_words_cancel_leaves_list_and_dialog_is_kept() {
        TLines lines{"old"};
        QPointer<TfrmAskWords> first = frmAskWords;
        TModalScript script{[](QDialog& dialog) {
            QCOMPARE(static_cast<TfrmAskWords&>(dialog).mmWords->toPlainText(), QString());
            ClickCancel(dialog);
        }};
        QVERIFY(!ManagementLayer->AskWords("Words To LookFor", lines, false));
        QCOMPARE(lines, TLines({"old"}));
        QCOMPARE(frmAskWords, first);
    }

    void ask_word_edits_the_stored_recent_list() {
        ManagementLayer->AddWordList = {"Red", "Shoe", "Blue"};
        std::string word;
        TModalScript script{[](QDialog& dialog) {
            QCOMPARE(TopCheckpoint(), std::string("d094"));
            static_cast<TfrmAddWord&>(dialog).cmbText->setEditText("shoe");
            ClickOk(dialog);
        }};
        QVERIFY(ManagementLayer->AskWord(word));
        QCOMPARE(word, std::string("shoe"));
        QCOMPARE(ManagementLayer->AddWordList, TLines({"shoe", "Red", "Blue"}));
    }

    void ask_search_replace_uses_both_lists() {
        ManagementLayer->SearchList = {"cat"};
        ManagementLayer->ReplaceList = {};
        std::string find, replacement = "x";
        TModalScript script{[](QDialog& dialog) {
            auto& form = static_cast<TfrmSearchReplace&>(dialog);
            QCOMPARE(form.cmbFind->currentText(), QString("cat"));
            form.cmbReplace->setEditText("dog");
            ClickOk(dialog);
        }};
        QVERIFY(ManagementLayer->AskSearchReplace(find, replacement));
        QCOMPARE(find, std::string("cat"));
        QCOMPARE(ManagementLayer->ReplaceList, TLines({"dog"}));
    }

    void ask_characters_and_word_count() {
        TCharSet chars;
        TModalScript script{[](QDialog& dialog) { ClickOk(dialog); },
                            [](QDialog& dialog) { dialog.close(); }};
        QVERIFY(ManagementLayer->AskCharacters(chars));
        QCOMPARE(chars, TCharSet({9, 10, 13}));
        QCOMPARE(ManagementLayer->AskWordCount("Delete entries with less than 'N' words"), 0);
        QVERIFY(TrailEmpty());
    }
};

QTEST_MAIN(EntryPointsTest)
#include "EntryPointsTest.moc"
