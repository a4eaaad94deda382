#include "ui/MainFormController.h"

#include "core/CheckpointTrail.h"
#include "core/Misspellings.h"
#include "core/Recombination.h"
#include "frame/ManagementLayer.h"
#include "ui/MainView.h"

#include <string>

namespace {

const char* DeleteByWordCountTitle(TWordComparison comparison) {
    switch (comparison) {
    case TWordComparison::MoreThan:
        return "Delete entries with more than 'N' words";
    case TWordComparison::LessThan:
        return "Delete entries with less than 'N' words";
    case TWordComparison::Exactly:
        break;
    }
    return "Delete entries with exactly 'N' words";
}

} // namespace

void TMainFormController::DeleteAllEntries() {
    if (Ask("Delete all input keywords?", TMsgButtons::OkCancel, TMsgIcon::Question) != TMsgResult::Ok)
        return;
    CheckpointScope checkpoint("d009");
    List().Clear();
    RefreshView(true, false);
}

void TMainFormController::DeleteHighlightedEntries() {
    CheckpointScope checkpoint("d010");
    TKeyItems& list = List();
    CollectHighlighted(list.Highlighted);
    SetCheckpoint("d011");
    list.DeleteHighlighted();
    // The rows it names are gone.
    list.Highlighted.Clear();
    SetCheckpoint("d012");
    RefreshView(false, true);
}

void TMainFormController::DeleteDuplicateEntries() {
    CheckpointScope checkpoint("d027");
    ShowDuplicatesRemoved(List().RemoveDuplicates(), "d028");
}

void TMainFormController::ShowDuplicatesRemoved(int removed, const char* checkpoint) {
    // The removal noted the rows it took out there; they are gone.
    List().Highlighted.Clear();
    if (removed > 0) {
        SetCheckpoint(checkpoint);
        RefreshView(false, true);
        Ask(std::to_string(removed) + " duplicates removed.", TMsgButtons::Ok, TMsgIcon::Warning);
    } else {
        Ask("No duplicates found", TMsgButtons::Ok, TMsgIcon::Warning);
    }
}

void TMainFormController::DeleteEntriesWithTerms(TTermPosition position) {
    CheckpointScope checkpoint("d021");
    SetCheckpoint("d022");
    std::vector<std::string> terms;
    if (!dialogs_.AskWords("Unwanted Words", terms, true))
        return;
    TKeyItems& list = List();
    list.Highlighted.Clear();
    SetCheckpoint("d023");
    list.HighlightByTerms(terms, static_cast<std::uint8_t>(position));
    SetCheckpoint("d024");
    list.DeleteHighlighted();
    SetCheckpoint("d025");
    RefreshView(false, true);
}

void TMainFormController::DeleteEntriesByWordCount(TWordComparison comparison) {
    CheckpointScope checkpoint("d038");
    const int n = dialogs_.AskWordCount(DeleteByWordCountTitle(comparison));
    if (n == 0)
        return;
    TKeyItems& list = List();
    SetCheckpoint("d039");
    list.Highlighted.Clear();
    list.HighlightByWordCount(n, static_cast<std::uint8_t>(comparison));
    SetCheckpoint("d040");
    list.DeleteHighlighted();
    SetCheckpoint("d041");
    RefreshView(true, true);
}

void TMainFormController::HighlightAllEntries() {
    CheckpointScope checkpoint("d013");
    MainView->SelectAll();
}

void TMainFormController::InvertHighlight() {
    CheckpointScope checkpoint("d014");
    MainView->InvertSelection();
}

void TMainFormController::ClearHighlight() {
    CheckpointScope checkpoint("d015");
    MainView->ClearSelection();
}

void TMainFormController::HighlightEntriesWithTerms(TTermPosition position) {
    CheckpointScope checkpoint("d017");
    SetCheckpoint("d018");
    std::vector<std::string> terms;
    if (!dialogs_.AskWords("Words To LookFor", terms, true))
        return;
    TKeyItems& list = List();
    list.Highlighted.Clear();
    SetCheckpoint("d019");
    list.HighlightByTerms(terms, static_cast<std::uint8_t>(position));
    SetCheckpoint("d020");
    Select(list.Highlighted);
}

void TMainFormController::HighlightEntriesByWordCount(TWordComparison comparison) {
    CheckpointScope checkpoint("d042");
    const int n = dialogs_.AskWordCount("");
    if (n == 0)
        return;
    TKeyItems& list = List();
    SetCheckpoint("d043");
    list.Highlighted.Clear();
    list.HighlightByWordCount(n, static_cast<std::uint8_t>(comparison));
    SetCheckpoint("d044");
    Select(list.Highlighted);
}

void TMainFormController::CleanUnwantedTerms() {
    CheckpointScope checkpoint("d068");
    SetCheckpoint("d069");
    std::vector<std::string> terms;
    if (!dialogs_.AskWords("Unwanted Words", terms, false))
        return;
    SetCheckpoint("d070");
    List().RemoveTerms(terms);
    SetCheckpoint("d071");
    RefreshView(false, true);
}

void TMainFormController::CleanRepeatedSpaces() {
    CheckpointScope checkpoint("d073");
    List().CollapseSpaces();
    SetCheckpoint("d074");
    RefreshView(false, true);
}

void TMainFormController::CleanRepeatedCharacters() {
    CheckpointScope checkpoint("d076");
    List().CollapseRepeats();
    SetCheckpoint("d077");
    RefreshView(false, true);
}

void TMainFormController::CleanUnwantedCharacters() {
    CheckpointScope checkpoint("d082");
    TCharSet characters;
    if (!dialogs_.AskCharacters(characters))
        return;
    List().RemoveChars(characters);
    SetCheckpoint("d083");
    RefreshView(false, true);
}

void TMainFormController::CleanTrailingChars() {
    CheckpointScope checkpoint("d085");
    TCharSet characters;
    if (!dialogs_.AskCharacters(characters))
        return;
    List().TrimChars(characters);
    SetCheckpoint("d086");
    RefreshView(false, true);
}

void TMainFormController::AddWordsToEntries(TWordPlacement placement) {
    CheckpointScope checkpoint("d090");
    std::string word;
    if (!dialogs_.AskWord(word))
        return;
    TKeyItems& list = List();
    switch (placement) {
    case TWordPlacement::PrependInPlace:
        SetCheckpoint("d091");
        list.PrependText(word, false, MemoryBudget());
        break;
    case TWordPlacement::AppendInPlace:
        SetCheckpoint("d092");
        list.AppendText(word, false, MemoryBudget());
        break;
    case TWordPlacement::PrependAsNew:
        SetCheckpoint("d111");
        list.PrependText(word, true, MemoryBudget());
        break;
    case TWordPlacement::AppendAsNew:
        SetCheckpoint("d112");
        list.AppendText(word, true, MemoryBudget());
        break;
    }
    SetCheckpoint("d093");
    RefreshView(false, true);
}

void TMainFormController::ChangeCase(TCaseChange change) {
    CheckpointScope checkpoint("d098");
    TKeyItems& list = List();
    switch (change) {
    case TCaseChange::Upper:
        SetCheckpoint("d099");
        list.ToUpperCase();
        break;
    case TCaseChange::Lower:
        SetCheckpoint("d100");
        list.ToLowerCase();
        break;
    case TCaseChange::FirstLetters:
        SetCheckpoint("d101");
        list.CapitalizeWords();
        break;
    }
    SetCheckpoint("d102");
    RefreshView(false, true);
}

void TMainFormController::SearchAndReplace(TReplaceMode mode) {
    CheckpointScope checkpoint("d106");
    std::string find;
    std::string replacement;
    if (!dialogs_.AskSearchReplace(find, replacement))
        return;
    switch (mode) {
    case TReplaceMode::InPlace:
        SetCheckpoint("d107");
        List().ReplaceText(find, replacement);
        break;
    case TReplaceMode::Duplicate:
        SetCheckpoint("d108");
        List().ReplaceAndDuplicate(find, replacement, MemoryBudget());
        break;
    }
    SetCheckpoint("d109");
    RefreshView(false, true);
}

void TMainFormController::SortEntries(TSortOrder order) {
    CheckpointScope checkpoint("d118");
    ApplySort(order);
}

void TMainFormController::ChangeMatchType(TMatchType matchType) {
    CheckpointScope checkpoint("d121");
    List().SetMatchType(static_cast<std::uint8_t>(matchType));
    SetCheckpoint("d122");
    RefreshView(false, true);
}

void TMainFormController::AddMatchTypeVariants(TMatchType matchType) {
    CheckpointScope checkpoint("d124");
    List().AddMatchTypeCopies(static_cast<std::uint8_t>(matchType), MemoryBudget());
    SetCheckpoint("d125");
    RefreshView(false, true);
}

std::vector<std::string> TMainFormController::SourceWords(const TMultiplyResult& choice) const {
    std::vector<std::string> words;
    switch (choice.Source) {
    case SourceHighlighted:
        CollectHighlightedTexts(words);
        break;
    case SourceAllEntries:
        for (std::string_view text : List().AllTexts())
            words.emplace_back(text);
        break;
    case SourceTypedWords:
        words = choice.TypedWords;
        break;
    }
    return words;
}

void TMainFormController::RecombineEntries() {
    CheckpointScope checkpoint("d115");
    TMultiplyResult choice;
    const TCombineWordsRequest request{MainView->SelectedCount() > 0, management_.WordCountLimit};
    bool confirmed = false;
    {
        ModalFrameScope modal;
        confirmed = dialogs_.RunCombineWords(request, choice);
    }
    if (!confirmed || !choice.Target || !KeepUndoOf(*choice.Target))
        return;
    management_.WordCountLimit = choice.Limit;
    const std::vector<std::string> words = SourceWords(choice);
    TKeyItems& current = List();
    const bool replacesCurrent = choice.Source == SourceAllEntries && choice.Target == &current;
    SetCheckpoint("d116");
    if (replacesCurrent) {
        // The combinations are built aside first: should building them fail, the user's list is untouched.
        TKeyItems combined;
        RecombineWords(words, choice.Limit, combined, MemoryBudget());
        current.Clear();
        current.SwapEntries(combined);
    } else {
        RecombineWords(words, choice.Limit, *choice.Target, MemoryBudget());
    }
    if (choice.Target == &current) {
        SetCheckpoint("d117");
        RefreshView(false, true);
    }
}

void TMainFormController::CreateMisspellings() {
    CheckpointScope checkpoint("d128");
    TMultiplyResult choice;
    bool confirmed = false;
    {
        ModalFrameScope modal;
        confirmed = dialogs_.RunMisspellings(MainView->SelectedCount() > 0, choice);
    }
    if (!confirmed || !choice.Target || !KeepUndoOf(*choice.Target))
        return;
    const std::vector<std::string> words = SourceWords(choice);
    SetCheckpoint("d130");
    AddMisspellings(words, choice.Limit, *choice.Target, MemoryBudget());
    if (choice.Target == CurrentList()) {
        SetCheckpoint("d131");
        RefreshView(false, true);
    }
}
