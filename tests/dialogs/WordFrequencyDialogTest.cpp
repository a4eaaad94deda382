#include "dialogs/WordFrequencyDialog.h"
#include "core/BusinessLogicLayer.h"
#include "core/CaseFolding.h"
#include "core/KeyItems.h"
#include "core/WordFrequency.h"
#include "dialogs/EnsureForm.h"
#include "dialogs/WordFrequencyModel.h"
#include "tests/core/RandomText.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>

#include <algorithm>
#include <set>

namespace {

using TCounts = std::vector<TWordCount>;

QPointer<TfrmWordFrequency> frmWordFrequency;

TCounts Shown(const TWordFrequencyModel& model) {
    TCounts shown;
    for (int row = 0; row < model.rowCount(); ++row) {
        shown.push_back(model.CountAt(row));
        // What the view draws is what the row holds.
        const QString text = model.data(model.index(row, 0), Qt::DisplayRole).toString();
        if (text.toStdString() != shown.back().Text)
            shown.back().Text += " drawn as " + text.toStdString();
    }
    return shown;
}

// The runs of exactly n words, as the dialog shows them.
TCounts RunsOf(const TKeyItems& list, int n) {
    TCounts counts = CountWordFrequencies(list, n);
    std::erase_if(counts, [n](const TWordCount& count) {
        return std::count(count.Text.begin(), count.Text.end(), ' ') != n - 1;
    });
    return counts;
}

TCountWordRuns CountsOf(const TKeyItems& list) {
    return [&list](int n) { return std::optional(CountWordFrequencies(list, n, n)); };
}

// Shoe shop keywords, as a campaign's list would hold them.
void FillShopList(TKeyItems& list) {
    const char* kinds[] = {"cheap", "Red", "leather", "women's", "running", "waterproof", "kids"};
    const char* items[] = {"shoes", "boots", "sandals", "sneakers"};
    const char* tails[] = {"", " sale", " online", " near me", " for men", " size 44"};
    for (const char* kind : kinds)
        for (const char* item : items)
            for (const char* tail : tails)
                list.AddKeyword(std::string(kind) + " " + item + tail);
}

void Pick(TfrmWordFrequency& dialog, std::initializer_list<int> rows) {
    dialog.tvWords->clearSelection();
    for (int row : rows)
        dialog.tvWords->selectionModel()->select(dialog.Model->index(row, 0),
                                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

} // namespace

class WordFrequencyDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        UseProgramLook();
        EnsureForm(frmWordFrequency);
    }
    void cleanupTestCase() { FreeAdoptedForms(); }

    // Every order of either column, under filters of either case and beyond ASCII, against sorting and
    // copying the counts plainly.
    void modelSortsAndFiltersLikeAPlainModel() {
        TRandomText random(18);
        std::set<std::string> texts;
        while (texts.size() < 600)
            texts.insert(Folded(random.Text("abcé", 5)));
        TCounts counts;
        for (const std::string& text : texts)
            counts.push_back({text, 1 + static_cast<int>(random.Below(12))});
        // In the order the counting hands them over.
        std::sort(counts.begin(), counts.end(), [](const TWordCount& a, const TWordCount& b) {
            return a.Entries != b.Entries ? a.Entries > b.Entries : a.Text < b.Text;
        });
        TWordFrequencyModel model;
        model.SetCounts(counts);
        for (const char* filter : {"", "a", "B", "É", "ca", "", "zz", "abé"}) {
            model.SetFilter(filter);
            const std::string folded = Folded(filter);
            for (int column : {0, 1})
                for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
                    model.sort(column, order);
                    TCounts expected = counts;
                    const bool up = order == Qt::AscendingOrder;
                    std::sort(expected.begin(), expected.end(),
                              [&](const TWordCount& a, const TWordCount& b) {
                                  if (column == 1 && a.Entries != b.Entries)
                                      return up ? a.Entries < b.Entries : a.Entries > b.Entries;
                                  return column == 1 || up ? a.Text < b.Text : a.Text > b.Text;
                              });
                    TCounts filtered;
                    std::copy_if(
                        expected.begin(), expected.end(), std::back_inserter(filtered),
                        [&](const TWordCount& c) { return c.Text.find(folded) != std::string::npos; });
                    QVERIFY2(Shown(model) == filtered,
                             qPrintable(
                                 QString("filter %1 column %2 order %3").arg(filter).arg(column).arg(order)));
                }
        }
    }

    // Words, then phrases narrowed by a filter typed in capitals; the picked rows come back in table order
    // with the button pressed, and each run starts again from the words.
    void dialogShowsTheCountsAndReturnsThePickedTexts() {
        TBusinessLogicLayer lists;
        TKeyItems& list = lists.NewList();
        FillShopList(list);
        std::vector<std::string> words;
        bool send = true;
        TCounts redPhrases;
        TModalScript pick{[&](QDialog& shown) {
            auto& dialog = static_cast<TfrmWordFrequency&>(shown);
            QCOMPARE(Shown(*dialog.Model), CountWordFrequencies(list, 1));
            QVERIFY(!dialog.findChild<TButtonEx*>("btnHighlight")->isEnabled());
            dialog.rbTwoWords->click();
            QCOMPARE(Shown(*dialog.Model), RunsOf(list, 2));
            QTest::keyClicks(dialog.edFilter, "RED");
            const TCounts pairs = RunsOf(list, 2);
            std::copy_if(pairs.begin(), pairs.end(), std::back_inserter(redPhrases),
                         [](const TWordCount& c) { return c.Text.find("red") != std::string::npos; });
            QCOMPARE(Shown(*dialog.Model), redPhrases);
            Pick(dialog, {2, 0});
            SaveScreenshot(dialog, "WordFrequency");
            ClickButton(dialog, "btnHighlight");
        }};
        QVERIFY(frmWordFrequency->Execute(CountsOf(list), words, send));
        QVERIFY(pick.Done());
        QCOMPARE(words, (std::vector<std::string>{redPhrases.at(0).Text, redPhrases.at(2).Text}));
        QVERIFY(!send);

        TModalScript again{[&](QDialog& shown) {
            auto& dialog = static_cast<TfrmWordFrequency&>(shown);
            QVERIFY(dialog.rbWords->isChecked());
            QVERIFY(dialog.edFilter->text().isEmpty());
            dialog.rbThreeWords->click();
            QCOMPARE(Shown(*dialog.Model), RunsOf(list, 3));
            dialog.tvWords->sortByColumn(0, Qt::AscendingOrder);
            Pick(dialog, {0});
            ClickButton(dialog, "btnSendToList");
        }};
        QVERIFY(frmWordFrequency->Execute(CountsOf(list), words, send));
        QVERIFY(again.Done());
        TCounts threes = RunsOf(list, 3);
        QCOMPARE(words, std::vector<std::string>{
                            std::min_element(threes.begin(), threes.end(), [](auto& a, auto& b) {
                                return a.Text < b.Text;
                            })->Text});
        QVERIFY(send);

        words.clear();
        TModalScript closed{[](QDialog& shown) {
            Pick(static_cast<TfrmWordFrequency&>(shown), {1});
            ClickButton(shown, "btnClose");
        }};
        QVERIFY(!frmWordFrequency->Execute(CountsOf(list), words, send));
        QVERIFY(closed.Done());
        QVERIFY(words.empty());
    }

    // A cancelled counting of phrases leaves the words shown and their button checked; a cancelled first
    // counting shows no dialog at all.
    void cancelledCountingKeepsWhatWasShown() {
        TBusinessLogicLayer lists;
        TKeyItems& list = lists.NewList();
        FillShopList(list);
        const TCountWordRuns wordsOnly = [&list](int n) {
            return n == 1 ? std::optional(CountWordFrequencies(list, 1, 1)) : std::nullopt;
        };
        std::vector<std::string> words;
        bool send = false;
        TModalScript cancelled{[&](QDialog& shown) {
            auto& dialog = static_cast<TfrmWordFrequency&>(shown);
            dialog.rbThreeWords->click();
            QVERIFY(dialog.rbWords->isChecked());
            dialog.tvWords->sortByColumn(1, Qt::DescendingOrder);
            QCOMPARE(Shown(*dialog.Model), CountWordFrequencies(list, 1));
            ClickButton(dialog, "btnClose");
        }};
        QVERIFY(!frmWordFrequency->Execute(wordsOnly, words, send));
        QVERIFY(cancelled.Done());

        TModalScript never{[](QDialog& shown) { ClickButton(shown, "btnClose"); }};
        QVERIFY(!frmWordFrequency->Execute([](int) { return std::optional<TCounts>(); }, words, send));
        QVERIFY(!never.Done());
    }
};

QTEST_MAIN(WordFrequencyDialogTest)
#include "WordFrequencyDialogTest.moc"
