// The live filter through the real list view: which entries it shows against a plain folded comparison,
// how highlighting shown rows reaches the list's entries, that only the newest text's result is shown, and
// that a command stops the search on the list it changes.
#include "ui/ListFilter.h"
#include "core/CaseFolding.h"
#include "core/KeyItems.h"
#include "core/Utf8.h"
#include "ui/Application.h"
#include "ui/CommandScope.h"
#include "ui/ODListView.h"
#include "ui/RowSelection.h"

#include <QtTest>

#include <numeric>
#include <random>

namespace {

// Letters that fold to one another in pairs or more, next to ones that fold to themselves.
const std::vector<std::string> Letters = {
    "a",        "A",        "b",        "\xC3\xA9", "\xC3\x89", "i", "I", " ", "\xC3\x9F", "\xE1\xBA\x9E",
    "\xCF\x83", "\xCE\xA3", "\xCF\x82", "\xD0\xB6", "\xD0\x96", "-"};

std::string RandomText(std::mt19937& random, int maxLetters) {
    std::uniform_int_distribution<int> length(0, maxLetters);
    std::uniform_int_distribution<std::size_t> letter(0, Letters.size() - 1);
    std::string text;
    for (int n = length(random); n > 0; --n)
        text += Letters[letter(random)];
    return text;
}

std::vector<std::int32_t> NaiveFilter(const TKeyItems& list, const std::string& text) {
    const std::string term = Folded(text);
    std::vector<std::int32_t> rows;
    for (int row = 0; row < list.Count(); ++row)
        if (Folded(list.GetKeyItem(row).Text()).find(term) != std::string::npos)
            rows.push_back(row);
    return rows;
}

} // namespace

class ListFilterTest : public QObject {
    Q_OBJECT

    TKeyItems* list = nullptr;
    TODListView* view = nullptr;
    TListFilter* filter = nullptr;

    void Fill(std::mt19937& random, int count) {
        for (int i = 0; i < count; ++i)
            list->AddKeyword(RandomText(random, 8));
        view->SetRowCount(list->Count());
    }
    void Type(const std::string& text) {
        filter->SetText(QString::fromStdString(text));
        while (filter->Searching())
            QCoreApplication::processEvents();
    }
    std::vector<std::int32_t> ShownRows() const {
        if (!view->Filtered()) {
            std::vector<std::int32_t> all(static_cast<std::size_t>(view->RowCount()));
            std::iota(all.begin(), all.end(), 0);
            return all;
        }
        std::vector<std::int32_t> rows;
        for (int shown = 0; shown < view->ShownCount(); ++shown)
            rows.push_back(view->ListRow(shown));
        return rows;
    }
    void Click(int shown, Qt::KeyboardModifiers modifiers = {}) {
        view->ScrollToRow(shown, true);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                          {view->viewport()->width() / 2, view->RowRect(shown).center().y()});
    }

private slots:
    void init() {
        list = new TKeyItems();
        view = new TODListView();
        view->resize(400, 300);
        view->OnData = [this](int row, TODRow& data) {
            data.SubItem = QString::fromStdString(std::string(list->GetKeyItem(row).Text()));
        };
        filter = new TListFilter(*view, [this] { return list; });
        view->show();
    }
    void cleanup() {
        delete filter;
        delete view;
        delete list;
    }

    // Typing on (which reads only the previous result), deleting back, new texts and changes of the list
    // between them all show exactly the entries a folded comparison finds.
    void shownRowsMatchANaiveFilter() {
        std::mt19937 random(18);
        Fill(random, 3000);
        std::string text;
        for (int step = 0; step < 120; ++step) {
            const int move = std::uniform_int_distribution<int>(0, 9)(random);
            if (move < 5)
                text += RandomText(random, 1);
            else if (move < 7 && !text.empty())
                text.erase(Utf8::PreviousStart(text, text.size()));
            else if (move < 8)
                text = RandomText(random, 3);
            else {
                Fill(random, 50);
                list->GetKeyItem(0).SetText(RandomText(random, 6));
                filter->ListChanged();
            }
            Type(text);
            QCOMPARE(view->Filtered(), !text.empty());
            QCOMPARE(ShownRows(), NaiveFilter(*list, text));
        }
    }

    // Clicks in the filtered view highlight the list rows shown there and leave the hidden ones as they
    // were; the list's own highlight (a command's) shows in the filtered rows; clearing the filter shows
    // the list with exactly that highlight.
    void highlightingShownRowsReachesTheirEntries() {
        for (const char* text : {"red shoes", "blue hat", "Red hat", "green shoes", "RED socks", "red"})
            list->AddKeyword(text);
        view->SetRowCount(list->Count());
        view->Selection().SetRowSelected(1, true);
        Type("red");
        QCOMPARE(ShownRows(), (std::vector<std::int32_t>{0, 2, 4, 5}));
        Click(1);
        QCOMPARE(view->Selection().SelectedRows(), (std::vector<int>{1, 2}));
        Click(3, Qt::ShiftModifier);
        QCOMPARE(view->Selection().SelectedRows(), (std::vector<int>{1, 2, 4, 5}));
        Click(2, Qt::ControlModifier);
        QCOMPARE(view->Selection().SelectedRows(), (std::vector<int>{1, 2, 5}));
        view->Selection().InvertRows();
        QCOMPARE(view->Selection().SelectedRows(), (std::vector<int>{0, 3, 4}));
        const QImage image = view->viewport()->grab().toImage();
        const QColor highlight = view->palette().color(QPalette::Active, QPalette::Highlight);
        for (int shown = 0; shown < view->ShownCount(); ++shown) {
            const QPoint point(view->viewport()->width() - 3, view->RowRect(shown).center().y());
            QCOMPARE(image.pixelColor(point) == highlight,
                     view->Selection().RowSelected(view->ListRow(shown)));
        }
        Type("");
        QVERIFY(!view->Filtered());
        QCOMPARE(view->ShownCount(), 6);
        QCOMPARE(view->Selection().SelectedRows(), (std::vector<int>{0, 3, 4}));
    }

    // An older search left unfinished never shows: the newest text's rows do.
    void aNewerTextWinsOverAnOlderOne() {
        std::mt19937 random(7);
        Fill(random, 200000);
        filter->SetText("a");
        QCoreApplication::processEvents();
        filter->SetText("\xC3\xA9 b");
        filter->SetText("\xCF\x83");
        int shownSignals = 0;
        connect(filter, &TListFilter::Shown, this, [&] { ++shownSignals; });
        while (filter->Searching())
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(shownSignals, 1);
        QCOMPARE(ShownRows(), NaiveFilter(*list, "\xCF\x83"));
    }

    // A command that starts while the search runs stops it before it changes the list (freeing the texts
    // the search would read); nothing is shown meanwhile, and once it ends the changed list is searched.
    void aCommandStopsTheSearchUntilItEnds() {
        TCommandBrackets brackets;
        brackets.Observe(filter);
        std::mt19937 random(3);
        Fill(random, 300000);
        filter->SetText("a");
        QCoreApplication::processEvents();
        int shownSignals = 0;
        {
            const TCommandScope command(brackets);
            connect(filter, &TListFilter::Shown, this, [&] { ++shownSignals; });
            delete list;
            list = new TKeyItems();
            Fill(random, 1000);
            filter->ListChanged();
            QTest::qWait(50);
            QCOMPARE(shownSignals, 0);
            QVERIFY(filter->Searching());
        }
        while (filter->Searching())
            QCoreApplication::processEvents();
        QCOMPARE(shownSignals, 1);
        QCOMPARE(ShownRows(), NaiveFilter(*list, "a"));
    }
};

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    ListFilterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ListFilterTest.moc"
