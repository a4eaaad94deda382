// The byte-per-row selection against a plain model of the rules it follows: marks made within a gesture
// replace the gesture's previous mark, any other change makes the gesture's marks stay.
#include "ui/RowSelection.h"
#include "core/IntList.h"

#include <QtTest>

#include <random>

namespace {

class TPlainSelection {
public:
    void SetRowCount(int count) {
        Commit();
        rows_.resize(static_cast<std::size_t>(count), false);
    }
    void Mark(int first, int last, TRowMark mark, bool inGesture, bool clearFirst) {
        if (!inGesture)
            Commit();
        gesture_.reset();
        if (clearFirst)
            std::fill(rows_.begin(), rows_.end(), false);
        if (first > last)
            std::swap(first, last);
        if (inGesture)
            gesture_ = {first, last, mark};
        else
            for (int row = first; row <= last; ++row)
                rows_[static_cast<std::size_t>(row)] = Apply(mark, rows_[static_cast<std::size_t>(row)]);
    }
    void Set(int row, bool selected) {
        Commit();
        rows_[static_cast<std::size_t>(row)] = selected;
    }
    void All(bool selected) {
        Commit();
        std::fill(rows_.begin(), rows_.end(), selected);
    }
    void Invert() {
        Commit();
        rows_.flip();
    }
    std::vector<int> Selected() const {
        std::vector<int> selected;
        for (int row = 0; row < static_cast<int>(rows_.size()); ++row)
            if (Shown(row))
                selected.push_back(row);
        return selected;
    }

private:
    struct TGesture {
        int First, Last;
        TRowMark Mark;
    };
    static bool Apply(TRowMark mark, bool was) {
        return mark == TRowMark::Select ? true : mark == TRowMark::Deselect ? false : !was;
    }
    bool Shown(int row) const {
        const bool committed = rows_[static_cast<std::size_t>(row)];
        if (gesture_ && row >= gesture_->First && row <= gesture_->Last)
            return Apply(gesture_->Mark, committed);
        return committed;
    }
    void Commit() {
        for (int row = 0; row < static_cast<int>(rows_.size()); ++row)
            rows_[static_cast<std::size_t>(row)] = Shown(row);
        gesture_.reset();
    }

    std::vector<bool> rows_;
    std::optional<TGesture> gesture_;
};

} // namespace

class RowSelectionTest : public QObject {
    Q_OBJECT

private slots:
    void randomOperationsMatchThePlainModel() {
        std::mt19937 random(20261208);
        for (int round = 0; round < 300; ++round) {
            TRowSelection selection;
            TPlainSelection plain;
            int count = 1 + static_cast<int>(random() % 700);
            selection.SetRowCount(count);
            plain.SetRowCount(count);
            for (int step = 0; step < 40; ++step) {
                const auto row = [&] { return static_cast<int>(random() % static_cast<unsigned>(count)); };
                switch (random() % 10) {
                case 0: {
                    // Shrinking or growing the list.
                    count = 1 + static_cast<int>(random() % 700);
                    selection.SetRowCount(count);
                    plain.SetRowCount(count);
                    break;
                }
                case 1: {
                    const int r = row();
                    const bool on = random() % 2;
                    selection.SetRowSelected(r, on);
                    plain.Set(r, on);
                    break;
                }
                case 2:
                    selection.SelectAllRows();
                    plain.All(true);
                    break;
                case 3:
                    selection.ClearRows();
                    plain.All(false);
                    break;
                case 4:
                    selection.InvertRows();
                    plain.Invert();
                    break;
                case 5: {
                    TIntList only;
                    plain.All(false);
                    for (int i = static_cast<int>(random() % 5); i > 0; --i) {
                        const int r = row();
                        only.Add(r);
                        plain.Set(r, true);
                    }
                    selection.SelectOnly(only);
                    break;
                }
                case 6: {
                    // Runs at random, as undo and the kept lists give them back, over few rows or most.
                    std::vector<TRowRun> runs;
                    for (int first = row() % 40; first < count; first += 1 + row() % 60) {
                        runs.push_back({first, 1 + static_cast<int>(random() % 80)});
                        first += runs.back().Count;
                    }
                    plain.All(false);
                    for (const TRowRun& run : runs)
                        for (int r = run.First; r < std::min(run.First + run.Count, count); ++r)
                            plain.Set(r, true);
                    selection.SelectRuns(runs);
                    break;
                }
                default: {
                    const int first = row();
                    const int last = row();
                    const auto mark = static_cast<TRowMark>(random() % 3);
                    const bool inGesture = random() % 3 != 0;
                    const bool clearFirst = random() % 4 == 0;
                    selection.Mark(first, last, mark, inGesture, clearFirst);
                    plain.Mark(first, last, mark, inGesture, clearFirst);
                    break;
                }
                }
                const std::vector<int> expected = plain.Selected();
                QCOMPARE(selection.SelectedRows(), expected);
                QCOMPARE(selection.SelectedRuns(), RunsOf(expected));
                QCOMPARE(selection.SelectedCount(), static_cast<int>(expected.size()));
                // A filtered view over some of the rows is marked as the rows it shows.
                std::vector<std::int32_t> shown;
                for (int r = static_cast<int>(random() % 3); r < count;
                     r += 1 + static_cast<int>(random() % 3))
                    shown.push_back(r);
                TRowSelection gathered;
                gathered.GatherFrom(selection, shown);
                for (std::size_t i = 0; i < shown.size(); ++i)
                    QCOMPARE(gathered.RowSelected(static_cast<int>(i)),
                             std::binary_search(expected.begin(), expected.end(), shown[i]));
                for (int r : {0, count / 2, count - 1})
                    QCOMPARE(selection.RowSelected(r),
                             std::binary_search(expected.begin(), expected.end(), r));
            }
        }
    }
};

QTEST_APPLESS_MAIN(RowSelectionTest)

#include "RowSelectionTest.moc"
