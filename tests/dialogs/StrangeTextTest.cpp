// Every dialog that takes text, given the longest and strangest text that can be typed or pasted: a paste of
// a hundred thousand lines, a line far longer than any keyword, and characters from outside the code page
// (other scripts, joined and combining marks, direction overrides, controls, characters beyond 16 bits).
// Each dialog returns the text as typed, in UTF-8, cut where its control or its rules cut, and nothing else.
#include "core/BusinessLogicLayer.h"
#include "dialogs/AddWordDialog.h"
#include "dialogs/AddWordsDialog.h"
#include "dialogs/AskWordsDialog.h"
#include "dialogs/CharactersDialog.h"
#include "dialogs/CombineWordsDialog.h"
#include "dialogs/EnsureForm.h"
#include "dialogs/MisspelledDialog.h"
#include "dialogs/SearchReplaceDialog.h"
#include "dialogs/SpinEdit.h"
#include "dialogs/WordCountDialog.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <optional>

namespace {
std::optional<TBusinessLogicLayer> lists;
QPointer<TfrmAddWord> frmAddWord;
QPointer<TfrmAddWords> frmAddWords;
QPointer<TfrmAskWords> frmAskWords;
QPointer<TfrmCharacters> frmCharacters;
QPointer<TfrmCombineWords> frmCombineWords;
QPointer<TfrmMisspelled> frmMisspelled;
QPointer<TfrmSearchReplace> frmSearchReplace;
QPointer<TfrmWordCount> frmWordCount;
} // namespace

using TLines = std::vector<std::string>;

namespace {

// As typed, and as the dialogs return it.
const QString kStrange =
    QString::fromUtf8("\xE2\x80\xAE"
                      "evil\xE2\x80\xAC caf\xC3\xA9 e\xCC\x81 "
                      "\xF0\x9F\x98\x80 \xE6\x97\xA5\xE6\x9C\xAC \x1B\t\xC3\x9F \xEF\xAC\x80");
const std::string kStrangeKept = kStrange.toStdString();

// Texts of many scripts, as a user types or pastes them.
const std::vector<std::string> kScripts = {"Grüße", "купить обувь", "σοφία", "ürün", "שלום", "😀"};

QString PastedLines(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString("keyword %1").arg(i);
    return lines.join('\n');
}

// A hundred thousand lines, then a line of a hundred thousand characters, then the strange one.
QString BigPaste() {
    return PastedLines(100'000) + '\n' + QString(100'000, 'x') + '\n' + kStrange;
}

void ExpectBigPaste(const TLines& lines) {
    QCOMPARE(lines.size(), std::size_t{100'002});
    QCOMPARE(lines[99'999], std::string("keyword 99999"));
    QCOMPARE(lines[100'000], std::string(4096, 'x'));
    QCOMPARE(lines[100'001], kStrangeKept);
}

} // namespace

class StrangeTextTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        UseProgramLook();
        lists.emplace();
        lists->SetCurrentList(&lists->NewList());
        lists->CurrentList()->Name = "List-A";
    }
    void cleanupTestCase() {
        FreeAdoptedForms();
        lists.reset();
    }

    void textBoxesTakeABigPaste() {
        EnsureForm(frmAddWords);
        EnsureForm(frmAskWords);
        TLines added, asked;
        bool append = false;
        TModalScript script{[](QDialog& dialog) {
                                static_cast<TfrmAddWords&>(dialog).mmWords->setPlainText(BigPaste());
                                SaveScreenshot(dialog, "strange-add-words");
                                ClickOk(dialog);
                            },
                            [](QDialog& dialog) {
                                static_cast<TfrmAskWords&>(dialog).mmWords->setPlainText(BigPaste());
                                ClickOk(dialog);
                            }};
        QVERIFY(frmAddWords->Execute(added, append));
        QVERIFY(frmAskWords->Execute("Unwanted Words", asked));
        QVERIFY(script.Done());
        ExpectBigPaste(added);
        ExpectBigPaste(asked);
    }

    void typedWordsOfTheMultiplyingDialogs() {
        EnsureForm(frmCombineWords);
        EnsureForm(frmMisspelled);
        const auto typeWords = [](QPlainTextEdit* box, QRadioButton* typed, QDialog& dialog) {
            typed->setChecked(true);
            box->setPlainText(BigPaste());
            ClickOk(dialog);
        };
        TModalScript script{[&](QDialog& dialog) {
                                auto& form = static_cast<TfrmCombineWords&>(dialog);
                                typeWords(form.mmWords, form.rbTyped, dialog);
                            },
                            [&](QDialog& dialog) {
                                auto& form = static_cast<TfrmMisspelled&>(dialog);
                                typeWords(form.mmWords, form.rbTyped, dialog);
                            }};
        std::uint8_t kind = 0, kinds = 0;
        TKeyItems* target = nullptr;
        int limit = 5;
        TLines combined, misspelled;
        QVERIFY(frmCombineWords->Execute(*lists, false, kind, target, limit, combined));
        QVERIFY(frmMisspelled->Execute(*lists, false, kind, target, kinds, misspelled));
        QVERIFY(script.Done());
        ExpectBigPaste(combined);
        ExpectBigPaste(misspelled);
    }

    void singleLineFieldsKeepWhatTheirFieldHolds() {
        EnsureForm(frmAddWord);
        EnsureForm(frmSearchReplace);
        const QString longLine = kStrange + QString(100'000, 'y');
        TModalScript script{[&](QDialog& dialog) {
                                static_cast<TfrmAddWord&>(dialog).cmbText->setEditText(longLine);
                                ClickOk(dialog);
                            },
                            [&](QDialog& dialog) {
                                auto& form = static_cast<TfrmSearchReplace&>(dialog);
                                form.cmbFind->setEditText(kStrange);
                                form.cmbReplace->setEditText(longLine);
                                SaveScreenshot(dialog, "strange-search-replace");
                                ClickOk(dialog);
                            }};
        std::string word, find, replacement;
        TLines recent, searches, replacements;
        QVERIFY(frmAddWord->Execute(word, recent));
        QVERIFY(frmSearchReplace->Execute(find, replacement, searches, replacements));
        QVERIFY(script.Done());
        // A one-line field holds at most 32,767 characters, as on the program's home platform.
        const std::string longKept = kStrangeKept + std::string(32'767 - std::size_t(kStrange.size()), 'y');
        QCOMPARE(word, longKept);
        QCOMPARE(find, kStrangeKept);
        QCOMPARE(replacement, longKept);
        QCOMPARE(recent, TLines{longKept});
    }

    void everyScriptPassesTheDialogsUnchanged() {
        EnsureForm(frmAddWords);
        EnsureForm(frmAddWord);
        EnsureForm(frmSearchReplace);
        QStringList typed;
        for (const auto& text : kScripts)
            typed << QString::fromStdString(text);
        TModalScript script{[&](QDialog& dialog) {
                                static_cast<TfrmAddWords&>(dialog).mmWords->setPlainText(typed.join('\n'));
                                ClickOk(dialog);
                            },
                            [&](QDialog& dialog) {
                                // The recent entries come back into the field as they went.
                                auto& form = static_cast<TfrmAddWord&>(dialog);
                                QCOMPARE(form.cmbText->count(), int(kScripts.size()));
                                for (int i = 0; i < form.cmbText->count(); ++i)
                                    QCOMPARE(form.cmbText->itemText(i), typed[i]);
                                form.cmbText->setEditText(typed[4]);
                                ClickOk(dialog);
                            },
                            [&](QDialog& dialog) {
                                auto& form = static_cast<TfrmSearchReplace&>(dialog);
                                form.cmbFind->setEditText(typed[1]);
                                form.cmbReplace->setEditText(typed[2] + typed[5]);
                                ClickOk(dialog);
                            }};
        TLines added;
        bool append = false;
        QVERIFY(frmAddWords->Execute(added, append));
        QCOMPARE(added, kScripts);
        std::string word;
        TLines recent = kScripts;
        QVERIFY(frmAddWord->Execute(word, recent));
        std::string find, replacement;
        TLines searches, replacements;
        QVERIFY(frmSearchReplace->Execute(find, replacement, searches, replacements));
        QVERIFY(script.Done());
        QCOMPARE(word, kScripts[4]);
        QCOMPARE(find, kScripts[1]);
        QCOMPARE(replacement, kScripts[2] + kScripts[5]);
    }

    void everyTypedCharacterIsUnwantedAsItself() {
        // Found by typing Japanese into the characters dialog: every question mark became unwanted.
        EnsureForm(frmCharacters);
        TModalScript script{[](QDialog& dialog) {
            auto& form = static_cast<TfrmCharacters&>(dialog);
            for (QCheckBox* box : {form.chkLF, form.chkCR, form.chkTab})
                box->setChecked(false);
            form.txtChars->setText(kStrange + QChar(0xD800));
            ClickOk(dialog);
        }};
        TCharSet chars;
        QVERIFY(frmCharacters->Execute(chars));
        QVERIFY(script.Done());
        TCharSet expected;
        for (char32_t c : kStrange.toUcs4())
            expected.Include(c);
        QVERIFY(chars == expected);
        QVERIFY(chars.Contains(U'\U0001F600') && chars.Contains(0x301) && chars.Contains(U'日'));
        QVERIFY(!chars.Contains('?') && !chars.Contains(0xD800) && !chars.Contains(0xFFFD));
    }

    void wordCountTakesOnlyANumberInRange() {
        EnsureForm(frmWordCount);
        TModalScript script{[](QDialog& dialog) {
            auto& form = static_cast<TfrmWordCount&>(dialog);
            form.seWordCount->selectAll();
            QTest::keyClicks(form.seWordCount, "x-+9.99999999999");
            form.seWordCount->findChild<QLineEdit*>()->insert(kStrange);
            ClickOk(dialog);
        }};
        const int count = frmWordCount->Execute("Highlight entries with more than 'N' words");
        QVERIFY(script.Done());
        QVERIFY2(count >= 1 && count <= 25, qPrintable(QString::number(count)));
    }
};

QTEST_MAIN(StrangeTextTest)
#include "StrangeTextTest.moc"
