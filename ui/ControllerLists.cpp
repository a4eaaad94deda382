#include "ui/MainFormController.h"

#include "core/CheckpointTrail.h"
#include "core/ListComparison.h"
#include "ui/MainView.h"

#include <string>

namespace {

// The longest keyword the largest ad platform takes.
constexpr int AdKeywordLength = 80;

const char* OtherListTitle(TListComparison comparison) {
    switch (comparison) {
    case TListComparison::DeleteFound:
        return "Delete entries found in another list";
    case TListComparison::HighlightFound:
        return "Highlight entries found in another list";
    case TListComparison::KeepFound:
        return "Keep only entries found in another list";
    case TListComparison::DeleteWords:
        return "Delete entries with words of another list";
    case TListComparison::AddMissing:
        break;
    }
    return "Add missing entries from another list";
}

} // namespace

void TMainFormController::CompareWithList(TListComparison comparison) {
    CheckpointScope checkpoint("d152");
    TKeyItems* other = nullptr;
    {
        ModalFrameScope modal;
        other = dialogs_.ChooseOtherList(OtherListTitle(comparison));
    }
    if (!other)
        return;
    TKeyItems& list = List();
    list.Highlighted.Clear();
    SetCheckpoint("d153");
    switch (comparison) {
    case TListComparison::HighlightFound:
        HighlightFoundIn(list, *other);
        SetCheckpoint("d154");
        Select(list.Highlighted);
        return;
    case TListComparison::DeleteFound:
        DeleteFoundIn(list, *other);
        break;
    case TListComparison::KeepFound:
        KeepOnlyFoundIn(list, *other);
        break;
    case TListComparison::DeleteWords:
        DeleteContainingWordsOf(list, *other);
        break;
    case TListComparison::AddMissing:
        AddMissingFrom(list, *other);
        break;
    }
    SetCheckpoint("d155");
    RefreshView(false, true);
}

void TMainFormController::DeleteSameWordsInOtherOrder() {
    CheckpointScope checkpoint("d156");
    ShowDuplicatesRemoved(::DeleteSameWordsInOtherOrder(List()), "d157");
}

void TMainFormController::HighlightLongEntries() {
    CheckpointScope checkpoint("d158");
    int n = 0;
    {
        ModalFrameScope modal;
        n = dialogs_.AskCharacterCount("Highlight entries longer than 'N' characters", AdKeywordLength);
    }
    if (n == 0)
        return;
    TKeyItems& list = List();
    SetCheckpoint("d159");
    list.Highlighted.Clear();
    HighlightLongerThan(list, static_cast<std::size_t>(n));
    SetCheckpoint("d160");
    Select(list.Highlighted);
}
