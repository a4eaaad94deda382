#include "core/BusinessLogicLayer.h"
#include "dialogs/CombineWordsDialog.h"
#include "dialogs/EnsureForm.h"
#include "dialogs/MisspelledDialog.h"
#include "dialogs/SelectListDialog.h"
#include "dialogs/SpinEdit.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <optional>

namespace {
std::optional<TBusinessLogicLayer> lists;
QPointer<TfrmCombineWords> frmCombineWords;
QPointer<TfrmMisspelled> frmMisspelled;
QPointer<TfrmSelectList> frmSelectList;
} // namespace

using TLines = std::vector<std::string>;

namespace {
TKeyItems& List(int index) {
    return lists->GetList(index);
}

QStringList Items(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}
} // namespace

class ListDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        UseProgramLook();
        EnsureForm(frmSelectList);
        EnsureForm(frmCombineWords);
        EnsureForm(frmMisspelled);
    }
    void init() {
        lists.emplace();
        for (const char* name : {"A", "B", "C"})
            lists->NewList().Name = name;
        lists->SetCurrentList(&List(1));
    }
    void cleanup() { lists.reset(); }
    void cleanupTestCase() { FreeAdoptedForms(); }

    void select_list_shows_current_as_dashes_and_returns_choice() {
        bool empty = false;
        TModalScript script{[](QDialog& dialog) {
                                auto& form = static_cast<TfrmSelectList&>(dialog);
                                QCOMPARE(Items(*form.cmbLists), QStringList({"A", "---", "C"}));
                                QCOMPARE(form.cmbLists->currentIndex(), 1);
                                QCOMPARE(dialog.focusWidget(), form.cmbLists);
                                form.cmbLists->setCurrentIndex(2);
                                form.chkEmpty->setChecked(true);
                                ClickOk(dialog);
                            },
                            [](QDialog& dialog) {
                                QVERIFY(static_cast<TfrmSelectList&>(dialog).chkEmpty->isChecked());
                                ClickOk(dialog);
                            }};
        QCOMPARE(frmSelectList->Execute(*lists, empty), &List(2));
        QVERIFY(empty);
        QCOMPARE(frmSelectList->Execute(*lists, empty), &List(1));
    }

    void select_list_label_toggles_box_and_cancel_returns_none() {
        bool empty = true;
        TModalScript script{[](QDialog& dialog) {
            auto& form = static_cast<TfrmSelectList&>(dialog);
            const bool before = form.chkEmpty->isChecked();
            auto* label = dialog.findChild<QLabel*>("Label2");
            QCOMPARE(label->text(), QString("target list before copying"));
            QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
            QCOMPARE(form.chkEmpty->isChecked(), !before);
            QCOMPARE(dialog.focusWidget(), form.chkEmpty);
            ClickCancel(dialog);
        }};
        QVERIFY(frmSelectList->Execute(*lists, empty) == nullptr);
        QVERIFY(empty);
    }

    void select_list_with_single_list_offers_only_dashes() {
        lists.reset();
        lists.emplace();
        lists->NewList().Name = "Only";
        lists->SetCurrentList(&List(0));
        bool empty = false;
        TModalScript script{[](QDialog& dialog) {
            QCOMPARE(Items(*static_cast<TfrmSelectList&>(dialog).cmbLists), QStringList({"---"}));
            ClickOk(dialog);
        }};
        QCOMPARE(frmSelectList->Execute(*lists, empty), &List(0));
    }

    void combine_falls_back_from_disabled_highlight_and_names_list() {
        std::uint8_t kind = 9;
        TKeyItems* target = nullptr;
        int limit = 10;
        TLines words{"untouched"};
        TModalScript script{[](QDialog& dialog) {
                                auto& form = static_cast<TfrmCombineWords&>(dialog);
                                form.rbHighlighted->setChecked(true);
                                ClickOk(dialog);
                            },
                            [](QDialog& dialog) {
                                auto& form = static_cast<TfrmCombineWords&>(dialog);
                                QVERIFY(!form.rbHighlighted->isEnabled());
                                QVERIFY(form.rbAll->isChecked());
                                QCOMPARE(dialog.focusWidget(), form.rbAll);
                                QCOMPARE(form.rbHighlighted->text(), QString("Highlighted Words in B"));
                                QCOMPARE(form.rbAll->text(), QString("All Words in B"));
                                QCOMPARE(form.seLimit->Text(), QString("7"));
                                QCOMPARE(Items(*form.cmbLists), QStringList({"A", "B", "C"}));
                                QCOMPARE(form.cmbLists->currentIndex(), 1);
                                form.cmbLists->setCurrentIndex(2);
                                ClickOk(dialog);
                            }};
        QVERIFY(frmCombineWords->Execute(*lists, true, kind, target, limit, words));
        QCOMPARE(kind, std::uint8_t(0));
        QCOMPARE(limit, 7);
        QCOMPARE(words, TLines({"untouched"}));
        QVERIFY(frmCombineWords->Execute(*lists, false, kind, target, limit, words));
        QCOMPARE(kind, std::uint8_t(1));
        QCOMPARE(target, &List(2));
    }

    void combine_typed_words_and_limit_mapping() {
        std::uint8_t kind = 9;
        TKeyItems* target = nullptr;
        int limit = 5;
        TLines words;
        auto typed = [](const QString& limitText) {
            return [limitText](QDialog& dialog) {
                auto& form = static_cast<TfrmCombineWords&>(dialog);
                QCOMPARE(form.mmWords->toPlainText(), QString());
                // Focus reaches only the active window, which a real display makes it a moment later.
                QVERIFY(QTest::qWaitForWindowActive(&dialog));
                form.mmWords->setFocus();
                QVERIFY(form.rbTyped->isChecked());
                form.mmWords->setPlainText("red shoes\n\nblue\n");
                form.seLimit->selectAll();
                QTest::keyClicks(form.seLimit, limitText);
                ClickOk(dialog);
            };
        };
        TModalScript script{typed("9"), typed("1"), typed("x")};
        QVERIFY(frmCombineWords->Execute(*lists, true, kind, target, limit, words));
        QCOMPARE(kind, std::uint8_t(2));
        QCOMPARE(words, TLines({"red shoes", "", "blue"}));
        QCOMPARE(limit, 7);
        QVERIFY(frmCombineWords->Execute(*lists, true, kind, target, limit, words));
        QCOMPARE(limit, 2);
        QVERIFY(frmCombineWords->Execute(*lists, true, kind, target, limit, words));
        QCOMPARE(limit, 2);
    }

    void combine_cancel_changes_nothing() {
        std::uint8_t kind = 9;
        TKeyItems* target = nullptr;
        int limit = 4;
        TLines words{"w"};
        TModalScript script{[](QDialog& dialog) {
            static_cast<TfrmCombineWords&>(dialog).rbTyped->setChecked(true);
            dialog.close();
        }};
        QVERIFY(!frmCombineWords->Execute(*lists, true, kind, target, limit, words));
        QCOMPARE(kind, std::uint8_t(9));
        QVERIFY(target == nullptr);
        QCOMPARE(limit, 4);
        QCOMPARE(words, TLines({"w"}));
    }

    void misspelled_first_use_and_kinds() {
        std::uint8_t kind = 9, kinds = 0;
        TKeyItems* target = nullptr;
        TLines words;
        TModalScript script{[](QDialog& dialog) { ClickOk(dialog); },
                            [](QDialog& dialog) {
                                auto& form = static_cast<TfrmMisspelled&>(dialog);
                                form.chkDuplicate->setChecked(false);
                                form.chkMissing->setChecked(false);
                                QVERIFY(QTest::qWaitForWindowActive(&dialog));
                                QTest::mouseClick(form.mmWords->viewport(), Qt::LeftButton);
                                QVERIFY(form.rbTyped->isChecked());
                                form.mmWords->setPlainText("shoe");
                                ClickOk(dialog);
                            },
                            [](QDialog& dialog) {
                                auto& form = static_cast<TfrmMisspelled&>(dialog);
                                QVERIFY(form.chkSwapped->isChecked() && !form.chkDuplicate->isChecked());
                                QCOMPARE(form.mmWords->toPlainText(), QString());
                                QVERIFY(form.rbTyped->isChecked());
                                ClickCancel(dialog);
                            }};
        QVERIFY(frmMisspelled->Execute(*lists, true, kind, target, kinds, words));
        QCOMPARE(kind, std::uint8_t(1));
        QCOMPARE(kinds, std::uint8_t(15));
        QCOMPARE(target, &List(1));
        QVERIFY(frmMisspelled->Execute(*lists, false, kind, target, kinds, words));
        QCOMPARE(kind, std::uint8_t(2));
        QCOMPARE(kinds, std::uint8_t(10));
        QCOMPARE(words, TLines({"shoe"}));
        QVERIFY(!frmMisspelled->Execute(*lists, false, kind, target, kinds, words));
        QVERIFY(script.Done());
    }
};

QTEST_MAIN(ListDialogsTest)
#include "ListDialogsTest.moc"
