// The management layer's dialog entry points running the real dialog windows.
#include "core/BusinessLogicLayer.h"
#include "core/CheckpointTrail.h"
#include "dialogs/AddWordDialog.h"
#include "dialogs/ApplicationForms.h"
#include "dialogs/AskWordsDialog.h"
#include "dialogs/CharactersDialog.h"
#include "dialogs/ParameterDialogWindows.h"
#include "dialogs/SearchReplaceDialog.h"
#include "dialogs/WordCountDialog.h"
#include "frame/ErrorLog.h"
#include "frame/ManagementLayer.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <optional>

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
    TBusinessLogicLayer lists_;
    TErrorLog log_;
    std::optional<TManagementLayer> management_;

private slots:
    void initTestCase() {
        UseProgramLook();
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        management_.emplace(lists_, log_);
        management_->SetParameterDialogs(&windows_);
    }
    void cleanupTestCase() {
        management_.reset();
        FreeAdoptedForms();
    }

    void ask_words_drops_empty_lines_and_upper_cases() {
        TLines lines{"old"};
        TModalScript script{TypeWords("shoes\n\nred  boots\n   \n")};
        QVERIFY(management_->AskWords("Unwanted Words", lines, true));
        QCOMPARE(lines, TLines({"SHOES", "RED  BOOTS", "   "}));
        QVERIFY(TrailEmpty());
    }

    void ask_words_cancel_leaves_list_and_dialog_is_kept() {
        TLines lines{"old"};
        std::vector<QDialog*> shown;
        const auto cancel = [&shown](QDialog& dialog) {
            shown.push_back(&dialog);
            QCOMPARE(static_cast<TfrmAskWords&>(dialog).mmWords->toPlainText(), QString());
            ClickCancel(dialog);
        };
        TModalScript script{cancel, cancel};
        QVERIFY(!management_->AskWords("Words To LookFor", lines, false));
        QVERIFY(!management_->AskWords("Words To LookFor", lines, false));
        QCOMPARE(lines, TLines({"old"}));
        QVERIFY(script.Done());
        QCOMPARE(shown.at(0), shown.at(1));
    }

    void ask_word_edits_the_stored_recent_list() {
        management_->AddWordList = {"Red", "Shoe", "Blue"};
        std::string word;
        TModalScript script{[](QDialog& dialog) {
            QCOMPARE(TopCheckpoint(), std::string("d094"));
            static_cast<TfrmAddWord&>(dialog).cmbText->setEditText("shoe");
            ClickOk(dialog);
        }};
        QVERIFY(management_->AskWord(word));
        QCOMPARE(word, std::string("shoe"));
        QCOMPARE(management_->AddWordList, TLines({"shoe", "Red", "Blue"}));
    }

    void ask_search_replace_uses_both_lists() {
        management_->SearchList = {"cat"};
        management_->ReplaceList = {};
        std::string find, replacement = "x";
        TModalScript script{[](QDialog& dialog) {
            auto& form = static_cast<TfrmSearchReplace&>(dialog);
            QCOMPARE(form.cmbFind->currentText(), QString("cat"));
            form.cmbReplace->setEditText("dog");
            ClickOk(dialog);
        }};
        QVERIFY(management_->AskSearchReplace(find, replacement));
        QCOMPARE(find, std::string("cat"));
        QCOMPARE(management_->ReplaceList, TLines({"dog"}));
    }

    void ask_characters_and_word_count() {
        TCharSet chars;
        TModalScript script{[](QDialog& dialog) { ClickOk(dialog); },
                            [](QDialog& dialog) { dialog.close(); }};
        QVERIFY(management_->AskCharacters(chars));
        QCOMPARE(chars, TCharSet({9, 10, 13}));
        QCOMPARE(management_->AskWordCount("Delete entries with less than 'N' words"), 0);
        QVERIFY(TrailEmpty());
    }
};

QTEST_MAIN(EntryPointsTest)
#include "EntryPointsTest.moc"
