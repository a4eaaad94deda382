#include "core/CheckpointTrail.h"
#include "core/KeyItems.h"
#include "core/ListComparison.h"
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
    TWordFrequencyResult picked;
    bool confirmed = false;
    {
        ModalFrameScope modal;
        confirmed = dialogs_.RunWordFrequency(List(), picked);
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
