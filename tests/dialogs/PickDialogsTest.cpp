#include "dialogs/CharactersDialog.h"
#include "dialogs/EnsureForm.h"
#include "dialogs/SearchReplaceDialog.h"
#include "dialogs/SpinEdit.h"
#include "dialogs/WordCountDialog.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {
QPointer<TfrmCharacters> frmCharacters;
QPointer<TfrmSearchReplace> frmSearchReplace;
QPointer<TfrmWordCount> frmWordCount;
} // namespace

using TLines = std::vector<std::string>;

namespace {
TCharSet SetOf(std::u32string_view text, std::initializer_list<char32_t> extra = {}) {
    TCharSet set(extra);
    for (char32_t c : text)
        set.Include(c);
    return set;
}

void ChoosePreset(TfrmCharacters& form, int index) {
    form.cmbPresets->setCurrentIndex(index);
    emit form.cmbPresets->activated(index);
}

void ClearBoxes(TfrmCharacters& form) {
    for (QCheckBox* box : {form.chkLF, form.chkCR, form.chkTab})
        box->setChecked(false);
}

void TypeCount(QDialog& dialog, const QString& text) {
    auto& form = static_cast<TfrmWordCount&>(dialog);
    form.seWordCount->selectAll();
    QTest::keyClicks(form.seWordCount, text);
}

void PressEnter(QDialog& dialog) {
    QTest::keyClick(static_cast<TfrmWordCount&>(dialog).seWordCount, Qt::Key_Return);
}
} // namespace

class PickDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        UseProgramLook();
        EnsureForm(frmCharacters);
        EnsureForm(frmSearchReplace);
        EnsureForm(frmWordCount);
    }
    void cleanupTestCase() { FreeAdoptedForms(); }

    void characters_first_use_gives_the_control_characters() {
        TCharSet chars{'x'};
        TModalScript script{[](QDialog& dialog) {
            QCOMPARE(dialog.focusWidget(), static_cast<TfrmCharacters&>(dialog).txtChars);
            ClickOk(dialog);
        }};
        QVERIFY(frmCharacters->Execute(chars));
        QCOMPARE(chars, TCharSet({9, 10, 13}));
    }

    void characters_presets_fill_the_field() {
        TCharSet chars;
        TModalScript script{[](QDialog& dialog) {
                                auto& form = static_cast<TfrmCharacters&>(dialog);
                                ChoosePreset(form, 2);
                                ClearBoxes(form);
                                ClickOk(dialog);
                            },
                            [](QDialog& dialog) {
                                auto& form = static_cast<TfrmCharacters&>(dialog);
                                QCOMPARE(form.cmbPresets->currentText(), QString("Custom"));
                                QCOMPARE(form.txtChars->text(), QString("abcdefghijklmnopqrstuvwxyz"));
                                ChoosePreset(form, 1);
                                form.txtChars->setText("0123");
                                QCOMPARE(form.cmbPresets->currentText(), QString("All Digits"));
                                ChoosePreset(form, 0);
                                QCOMPARE(form.txtChars->text(), QString("0123"));
                                form.chkTab->setChecked(true);
                                ClickOk(dialog);
                            }};
        QVERIFY(frmCharacters->Execute(chars));
        QCOMPARE(chars, SetOf(U"abcdefghijklmnopqrstuvwxyz"));
        QVERIFY(!chars.Contains(U'A'));
        QVERIFY(frmCharacters->Execute(chars));
        QCOMPARE(chars, SetOf(U"0123", {9}));
    }

    void characters_special_presets_hold_their_codes() {
        const std::vector<std::vector<std::uint8_t>> expected = {
            {96, 126, 44, 46, 60, 62, 47, 59, 58, 39, 34, 91, 93, 125, 123, 124,
             92, 40,  41, 95, 42, 94, 38, 37, 35, 64, 36, 33, 43, 61,  45,  63},
            {46, 63, 33, 58, 59, 45, 40, 41, 91, 93, 39, 96, 47, 44}};
        for (int preset : {4, 5}) {
            ChoosePreset(*frmCharacters, preset);
            const QByteArray text = frmCharacters->txtChars->text().toLatin1();
            QCOMPARE(std::vector<std::uint8_t>(text.begin(), text.end()), expected[std::size_t(preset - 4)]);
        }
    }

    void characters_cancel_leaves_set() {
        TCharSet chars{'q'};
        TModalScript script{[](QDialog& dialog) {
            static_cast<TfrmCharacters&>(dialog).txtChars->setText("xyz");
            dialog.close();
        }};
        QVERIFY(!frmCharacters->Execute(chars));
        QCOMPARE(chars, TCharSet({'q'}));
    }

    void search_replace_takes_empty_replacement_once() {
        std::string find, replacement = "old";
        TLines searchList{"Cat", "dog"}, replaceList;
        auto typeAndOk = [](const QString& findText, const QString& replaceText) {
            return [=](QDialog& dialog) {
                auto& form = static_cast<TfrmSearchReplace&>(dialog);
                QCOMPARE(dialog.focusWidget(), form.cmbFind);
                form.cmbFind->setEditText(findText);
                form.cmbReplace->setEditText(replaceText);
                ClickOk(dialog);
            };
        };
        TModalScript script{typeAndOk("CAT", ""), typeAndOk("abc", "")};
        QVERIFY(frmSearchReplace->Execute(find, replacement, searchList, replaceList));
        QCOMPARE(find, std::string("CAT"));
        QCOMPARE(replacement, std::string());
        QCOMPARE(searchList, TLines({"CAT", "dog"}));
        QCOMPARE(replaceList, TLines({""}));
        QVERIFY(frmSearchReplace->Execute(find, replacement, searchList, replaceList));
        QCOMPARE(searchList, TLines({"abc", "CAT", "dog"}));
        QCOMPARE(replaceList, TLines({""}));
    }

    void search_replace_empty_find_is_a_cancel_and_fields_show_newest() {
        std::string find = "f", replacement = "r";
        TLines searchList{" cat", "cat"}, replaceList{"x"};
        TModalScript script{[](QDialog& dialog) {
            auto& form = static_cast<TfrmSearchReplace&>(dialog);
            QCOMPARE(form.cmbFind->currentText(), QString(" cat"));
            QCOMPARE(form.cmbReplace->currentText(), QString("x"));
            QCOMPARE(form.cmbFind->count(), 2);
            form.cmbFind->setEditText("");
            form.cmbReplace->setEditText("y");
            ClickOk(dialog);
        }};
        QVERIFY(!frmSearchReplace->Execute(find, replacement, searchList, replaceList));
        QCOMPARE(find, std::string("f"));
        QCOMPARE(replacement, std::string("r"));
        QCOMPARE(searchList, TLines({" cat", "cat"}));
        QCOMPARE(replaceList, TLines({"x"}));
    }

    void word_count_first_use_is_two_and_keeps_last_value() {
        TModalScript script{
            [](QDialog& dialog) {
                QCOMPARE(dialog.focusWidget(), static_cast<TfrmWordCount&>(dialog).seWordCount);
                ClickOk(dialog);
            },
            [](QDialog& dialog) {
                TypeCount(dialog, "7");
                ClickOk(dialog);
            },
            [](QDialog& dialog) {
                QCOMPARE(dialog.windowTitle(), QString());
                QCOMPARE(static_cast<TfrmWordCount&>(dialog).seWordCount->Text(), QString("7"));
                PressEnter(dialog);
            }};
        QCOMPARE(frmWordCount->Execute("Delete entries with exactly 'N' words"), 2);
        QCOMPARE(frmWordCount->Execute("x"), 7);
        QCOMPARE(frmWordCount->Execute(""), 7);
        QVERIFY(script.Done());
    }

    void word_count_maps_typed_text_into_range() {
        const std::vector<std::pair<QString, int>> cases = {
            {"40", 25}, {"0", 1}, {"", 1}, {"-3", 1}, {"+5", 5}};
        for (const auto& [typed, expected] : cases) {
            TModalScript script{[typed](QDialog& dialog) {
                TypeCount(dialog, typed);
                PressEnter(dialog);
            }};
            QCOMPARE(frmWordCount->Execute("t"), expected);
        }
    }

    void word_count_refuses_letters_and_cancel_gives_zero() {
        TModalScript script{[](QDialog& dialog) {
                                TypeCount(dialog, "1a2");
                                QCOMPARE(static_cast<TfrmWordCount&>(dialog).seWordCount->Text(),
                                         QString("12"));
                                ClickCancel(dialog);
                            },
                            [](QDialog& dialog) { dialog.close(); }};
        QCOMPARE(frmWordCount->Execute("t"), 0);
        QCOMPARE(frmWordCount->Execute("t"), 0);
    }
};

QTEST_MAIN(PickDialogsTest)
#include "PickDialogsTest.moc"
