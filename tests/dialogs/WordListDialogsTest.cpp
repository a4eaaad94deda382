#include "core/CheckpointTrail.h"
#include "dialogs/AddWordDialog.h"
#include "dialogs/AddWordsDialog.h"
#include "dialogs/AskWordsDialog.h"
#include "dialogs/EnsureForm.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>

namespace {
QPointer<TfrmAddWord> frmAddWord;
QPointer<TfrmAddWords> frmAddWords;
QPointer<TfrmAskWords> frmAskWords;
} // namespace

using TLines = std::vector<std::string>;

class WordListDialogsTest : public QObject {
    Q_OBJECT

    static void TypeWord(QDialog& dialog, const QString& text) {
        static_cast<TfrmAddWord&>(dialog).cmbText->setEditText(text);
        ClickOk(dialog);
    }

private slots:
    void initTestCase() {
        UseProgramLook();
        EnsureForm(frmAddWord);
        EnsureForm(frmAddWords);
        EnsureForm(frmAskWords);
    }
    void cleanupTestCase() { FreeAdoptedForms(); }

    void add_word_with_empty_list_starts_empty_and_refuses_empty_ok() {
        std::string word = "kept";
        TLines recent;
        TModalScript script{[](QDialog& dialog) {
            QCOMPARE(static_cast<TfrmAddWord&>(dialog).cmbText->currentText(), QString());
            QCOMPARE(dialog.focusWidget(), static_cast<TfrmAddWord&>(dialog).cmbText);
            ClickOk(dialog);
        }};
        QVERIFY(!frmAddWord->Execute(word, recent));
        QVERIFY(script.Done());
        QCOMPARE(word, std::string("kept"));
        QVERIFY(recent.empty());
        QVERIFY(TrailEmpty());
    }

    void add_word_keeps_blanks_and_moves_case_variant_to_front() {
        std::string word;
        TLines recent{"Red", "Shoe", "Blue"};
        TModalScript script{[](QDialog& dialog) {
                                QCOMPARE(static_cast<TfrmAddWord&>(dialog).cmbText->currentText(),
                                         QString("Red"));
                                TypeWord(dialog, "shoe");
                            },
                            [](QDialog& dialog) { TypeWord(dialog, " shoe"); }};
        QVERIFY(frmAddWord->Execute(word, recent));
        QCOMPARE(recent, TLines({"shoe", "Red", "Blue"}));
        QVERIFY(frmAddWord->Execute(word, recent));
        QCOMPARE(word, std::string(" shoe"));
        QCOMPARE(recent, TLines({" shoe", "shoe", "Red", "Blue"}));
        QVERIFY(script.Done());
    }

    void add_word_from_drop_down_moves_to_top_and_cancel_changes_nothing() {
        std::string word = "old";
        TLines recent{"one", "two", "three"};
        TModalScript script{[](QDialog& dialog) {
                                auto* box = static_cast<TfrmAddWord&>(dialog).cmbText;
                                box->setCurrentIndex(2);
                                ClickOk(dialog);
                            },
                            [](QDialog& dialog) {
                                static_cast<TfrmAddWord&>(dialog).cmbText->setEditText("new");
                                ClickCancel(dialog);
                            }};
        QVERIFY(frmAddWord->Execute(word, recent));
        QCOMPARE(word, std::string("three"));
        QCOMPARE(recent, TLines({"three", "one", "two"}));
        QVERIFY(!frmAddWord->Execute(word, recent));
        QCOMPARE(word, std::string("three"));
        QCOMPARE(recent, TLines({"three", "one", "two"}));
    }

    // The fields show and return Unicode text as it is.
    void typed_text_is_unicode() {
        std::string word;
        TLines recent{"Жук"};
        TModalScript script{[](QDialog& dialog) {
            QCOMPARE(static_cast<TfrmAddWord&>(dialog).cmbText->currentText(), QString::fromUtf8("Жук"));
            TypeWord(dialog, QString::fromUtf8("Жёлтый € 😀"));
        }};
        QVERIFY(frmAddWord->Execute(word, recent));
        QCOMPARE(word, std::string("Жёлтый € 😀"));
    }

    void text_box_lines_follow_the_line_rules() {
        TLines lines;
        bool append = true;
        TModalScript script{[](QDialog& dialog) {
            auto& form = static_cast<TfrmAddWords&>(dialog);
            QCOMPARE(form.mmWords->toPlainText(), QString());
            form.mmWords->setPlainText("a\n\n   \nb\n");
            form.chkAppend->setChecked(false);
            ClickOk(dialog);
        }};
        QVERIFY(frmAddWords->Execute(lines, append));
        QCOMPARE(lines, TLines({"a", "", "   ", "b"}));
        QVERIFY(!append);
    }

    void add_words_keeps_append_choice_and_cancel_leaves_list() {
        TLines lines{"keep"};
        bool append = true;
        TModalScript script{[](QDialog& dialog) {
            auto& form = static_cast<TfrmAddWords&>(dialog);
            QVERIFY(!form.chkAppend->isChecked());
            form.mmWords->setPlainText("x");
            ClickCancel(dialog);
        }};
        QVERIFY(!frmAddWords->Execute(lines, append));
        QCOMPARE(lines, TLines({"keep"}));
        QVERIFY(append);
    }

    void long_lines_are_cut_and_empty_box_gives_no_lines() {
        TLines lines{"x"};
        TModalScript script{
            [](QDialog& dialog) {
                QCOMPARE(dialog.windowTitle(), QString("Unwanted Words"));
                static_cast<TfrmAskWords&>(dialog).mmWords->setPlainText(QString(5000, 'k') + "\nshort");
                ClickOk(dialog);
            },
            [](QDialog& dialog) {
                QCOMPARE(dialog.windowTitle(), QString("Words To LookFor"));
                QCOMPARE(static_cast<TfrmAskWords&>(dialog).mmWords->toPlainText(), QString());
                ClickOk(dialog);
            }};
        QVERIFY(frmAskWords->Execute("Unwanted Words", lines));
        QCOMPARE(lines, TLines({std::string(4096, 'k'), "short"}));
        lines.clear();
        QVERIFY(frmAskWords->Execute("Words To LookFor", lines));
        QVERIFY(lines.empty());
        QVERIFY(script.Done());
    }
};

QTEST_MAIN(WordListDialogsTest)
#include "WordListDialogsTest.moc"
