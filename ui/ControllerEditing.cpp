#include "MainFormController.h"

#include "BusinessLogicLayer.h"
#include "CheckpointTrail.h"
#include "MainView.h"
#include "ManagementLayer.h"
#include "Misspellings.h"
#include "Recombination.h"

#include <string>

namespace {

const char* DeleteByWordCountTitle(int comparison) {
    switch (comparison) {
    case 0:
        return "Delete entries with more than 'N' words";
    case 1:
        return "Delete entries with less than 'N' words";
    default:
        return "Delete entries with exactly 'N' words";
    }
}

} // namespace

void TMainFormController::DeleteAllEntries(int) {
    if (Ask("Delete all input keywords?", TMsgButtons::OkCancel, TMsgIcon::Question) != TMsgResult::Ok)
        return;
    CheckpointScope checkpoint("d009");
    List().Clear();
    RefreshView(true, false);
}

void TMainFormController::DeleteHighlightedEntries(int) {
    CheckpointScope checkpoint("d010");
    TKeyItems& list = List();
    CollectHighlighted(list.Highlighted);
    SetCheckpoint("d011");
    list.DeleteHighlighted();
    SetCheckpoint("d012");
    RefreshView(false, true);
}

void TMainFormController::DeleteDuplicateEntries(int) {
    CheckpointScope checkpoint("d027");
    const int removed = List().RemoveDuplicates();
    if (removed > 0) {
        SetCheckpoint("d028");
        RefreshView(false, true);
        Ask(std::to_string(removed) + " duplicates removed.", TMsgButtons::Ok, TMsgIcon::Warning);
    } else {
        Ask("No duplicates found", TMsgButtons::Ok, TMsgIcon::Warning);
    }
}

void TMainFormController::DeleteEntriesWithTerms(int position) {
    CheckpointScope checkpoint("d021");
    SetCheckpoint("d022");
    std::vector<std::string> terms;
    if (!ManagementLayer->AskWords("Unwanted Words", terms, true))
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

void TMainFormController::DeleteEntriesByWordCount(int comparison) {
    CheckpointScope checkpoint("d038");
    const int n = ManagementLayer->AskWordCount(DeleteByWordCountTitle(comparison));
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

void TMainFormController::HighlightAllEntries(int) {
    CheckpointScope checkpoint("d013");
    ListView->SelectAll();
}

void TMainFormController::InvertHighlight(int) {
    CheckpointScope checkpoint("d014");
    ListView->InvertSelection();
}

void TMainFormController::ClearHighlight(int) {
    CheckpointScope checkpoint("d015");
    ListView->ClearSelection();
}

void TMainFormController::HighlightEntriesWithTerms(int position) {
    CheckpointScope checkpoint("d017");
    SetCheckpoint("d018");
    std::vector<std::string> terms;
    if (!ManagementLayer->AskWords("Words To LookFor", terms, true))
        return;
    TKeyItems& list = List();
    list.Highlighted.Clear();
    SetCheckpoint("d019");
    list.HighlightByTerms(terms, static_cast<std::uint8_t>(position));
    SetCheckpoint("d020");
    Select(list.Highlighted);
}

void TMainFormController::HighlightEntriesByWordCount(int comparison) {
    CheckpointScope checkpoint("d042");
    const int n = ManagementLayer->AskWordCount("");
    if (n == 0)
        return;
    TKeyItems& list = List();
    SetCheckpoint("d043");
    list.Highlighted.Clear();
    list.HighlightByWordCount(n, static_cast<std::uint8_t>(comparison));
    SetCheckpoint("d044");
    Select(list.Highlighted);
}

void TMainFormController::CleanUnwantedTerms(int) {
    CheckpointScope checkpoint("d068");
    SetCheckpoint("d069");
    std::vector<std::string> terms;
    if (!ManagementLayer->AskWords("Unwanted Words", terms, false))
        return;
    SetCheckpoint("d070");
    List().RemoveTerms(terms);
    SetCheckpoint("d071");
    RefreshView(false, true);
}

void TMainFormController::CleanRepeatedSpaces(int) {
    CheckpointScope checkpoint("d073");
    List().CollapseSpaces();
    SetCheckpoint("d074");
    RefreshView(false, true);
}

void TMainFormController::CleanRepeatedCharacters(int) {
    CheckpointScope checkpoint("d076");
    List().CollapseRepeats();
    SetCheckpoint("d077");
    RefreshView(false, true);
}

void TMainFormController::CleanUnwantedCharacters(int) {
    CheckpointScope checkpoint("d082");
    TCharSet characters;
    if (!ManagementLayer->AskCharacters(characters))
        return;
    List().RemoveChars(characters);
    SetCheckpoint("d083");
    RefreshView(false, true);
}

void TMainFormController::CleanTrailingChars(int) {
    CheckpointScope checkpoint("d085");
    TCharSet characters;
    if (!ManagementLayer->AskCharacters(characters))
        return;
    List().TrimChars(characters);
    SetCheckpoint("d086");
    RefreshView(false, true);
}

void TMainFormController::AddWordsToEntries(int variant) {
    CheckpointScope checkpoint("d090");
    std::string word;
    if (!ManagementLayer->AskWord(word))
        return;
    TKeyItems& list = List();
    switch (variant) {
    case 1:
        SetCheckpoint("d091");
        list.PrependText(word, false, MemoryBudget());
        break;
    case 2:
        SetCheckpoint("d092");
        list.AppendText(word, false, MemoryBudget());
        break;
    case 3:
        SetCheckpoint("d111");
        list.PrependText(word, true, MemoryBudget());
        break;
    default:
        SetCheckpoint("d112");
        list.AppendText(word, true, MemoryBudget());
        break;
    }
    SetCheckpoint("d093");
    RefreshView(false, true);
}

void TMainFormController::ChangeCase(int variant) {
    CheckpointScope checkpoint("d098");
    TKeyItems& list = List();
    if (variant == 1) {
        SetCheckpoint("d099");
        list.ToUpperCase();
    } else if (variant == 2) {
        SetCheckpoint("d100");
        list.ToLowerCase();
    } else {
        SetCheckpoint("d101");
        list.CapitalizeWords();
    }
    SetCheckpoint("d102");
    RefreshView(false, true);
}

void TMainFormController::SearchAndReplace(int variant) {
    CheckpointScope checkpoint("d106");
    std::string find;
    std::string replacement;
    if (!ManagementLayer->AskSearchReplace(find, replacement))
        return;
    if (variant == 1) {
        SetCheckpoint("d107");
        List().ReplaceText(find, replacement);
    } else {
        SetCheckpoint("d108");
        List().ReplaceAndDuplicate(find, replacement, MemoryBudget());
    }
    SetCheckpoint("d109");
    RefreshView(false, true);
}

void TMainFormController::SortEntries(int order) {
    CheckpointScope checkpoint("d118");
    ApplySort(order);
}

void TMainFormController::ChangeMatchType(int matchType) {
    CheckpointScope checkpoint("d121");
    List().SetMatchType(static_cast<std::uint8_t>(matchType));
    SetCheckpoint("d122");
    RefreshView(false, true);
}

void TMainFormController::AddMatchTypeVariants(int matchType) {
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

void TMainFormController::RecombineEntries(int) {
    CheckpointScope checkpoint("d115");
    TMultiplyResult choice;
    const TCombineWordsRequest request{ListView->SelectedCount() > 0, ManagementLayer->WordCountLimit};
    bool confirmed = false;
    {
        ModalFrameScope modal;
        confirmed = dialogs_.RunCombineWords(request, choice);
    }
    if (!confirmed || !choice.Target)
        return;
    ManagementLayer->WordCountLimit = choice.Limit;
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

void TMainFormController::CreateMisspellings(int) {
    CheckpointScope checkpoint("d128");
    TMultiplyResult choice;
    bool confirmed = false;
    {
        ModalFrameScope modal;
        confirmed = dialogs_.RunMisspellings(ListView->SelectedCount() > 0, choice);
    }
    if (!confirmed || !choice.Target)
        return;
    const std::vector<std::string> words = SourceWords(choice);
    SetCheckpoint("d130");
    AddMisspellings(words, choice.Limit, *choice.Target, MemoryBudget());
    if (choice.Target == CurrentList()) {
        SetCheckpoint("d131");
        RefreshView(false, true);
    }
}
