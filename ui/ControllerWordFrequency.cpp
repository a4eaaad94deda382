#include "core/CheckpointTrail.h"
#include "core/KeyItems.h"
#include "core/ListComparison.h"
#include "core/WordFrequency.h"
#include "ui/ActionList.h"
#include "ui/MainFormController.h"
#include "ui/UndoStep.h"
#include "ui/WordFrequencyCommand.h"

void TMainFormController::BindWordFrequencyCommand() {
    BindCommand(
        WordFrequencyCommand.Name, [this] { ShowWordFrequency(); },
        [this](TAction& a) { a.setEnabled(RuleAllows(TCommandRule::NeedsEntries)); });
}

void TMainFormController::ShowWordFrequency() {
    CheckpointScope checkpoint("d162");
    const TKeyItems& list = List();
    // Counting a long list takes a while: it shows its progress and can be cancelled like a command.
    const TCountWordRuns count = [this, &list](int words) -> std::optional<std::vector<TWordCount>> {
        std::vector<TWordCount> counts;
        TUndoStep counting(*this, WordFrequencyCountName);
        if (!counting.RunOrRestore([&] { counts = CountWordFrequencies(list, words, words); }))
            return std::nullopt;
        return counts;
    };
    TWordFrequencyResult picked;
    bool confirmed = false;
    {
        ModalFrameScope modal;
        confirmed = dialogs_.RunWordFrequency(count, picked);
    }
    if (!confirmed || picked.Words.empty())
        return;
    if (picked.SendToList)
        SendWordsToList(picked.Words);
    else
        HighlightEntriesHolding(picked.Words);
}

void TMainFormController::HighlightEntriesHolding(const std::vector<std::string>& words) {
    SetCheckpoint("d163");
    TUndoStep undo(*this, WordFrequencyHighlightName);
    TKeyItems& list = List();
    if (!undo.Keep(list, false))
        return;
    list.Highlighted.Clear();
    HighlightHoldingWords(list, words);
    Select(list.Highlighted);
    undo.Commit();
}

void TMainFormController::SendWordsToList(const std::vector<std::string>& words) {
    SetCheckpoint("d164");
    TSelectListResult choice;
    bool confirmed = false;
    {
        ModalFrameScope modal;
        confirmed = dialogs_.RunSelectList(choice);
    }
    if (!confirmed || !choice.List || choice.List == &List())
        return;
    TUndoStep undo(*this, WordFrequencySendName);
    if (!undo.Keep(*choice.List, true))
        return;
    if (choice.EmptyFirst)
        choice.List->Clear();
    for (const std::string& word : words)
        choice.List->AddKeyword(word);
    undo.Commit();
}
