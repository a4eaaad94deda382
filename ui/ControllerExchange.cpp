#include "MainFormController.h"

#include "BusinessLogicLayer.h"
#include "CheckpointTrail.h"
#include "CommandScope.h"
#include "Files.h"
#include "KeywordFile.h"
#include "MainView.h"
#include "ManagementLayer.h"

#include <filesystem>

namespace {

constexpr const char* ClipboardMessage = "Keyword data transfered to Windows clipboard\r\n"
                                         "Use you application's 'Paste' menu option to\r\n"
                                         "access the clipboard.";
constexpr const char* ClipboardFailedMessage = "The keywords could not be placed on the clipboard.";

// The folder part of a chosen file, with its trailing separator.
std::string FolderOf(const std::string& path) {
    return IncludeTrailingSlash(std::filesystem::path(path).parent_path().string());
}

} // namespace

void TMainFormController::AddKeywords() {
    const TCommandScope command;
    CheckpointScope checkpoint("d032");
    TAddWordsResult result;
    bool confirmed = false;
    {
        ModalFrameScope modal;
        confirmed = dialogs_.RunAddWords(result);
    }
    if (!confirmed)
        return;
    TKeyItems& list = List();
    SetCheckpoint("d033");
    if (!result.Append)
        list.Clear();
    SetCheckpoint("d034");
    for (const auto& line : result.Lines)
        list.AddKeyword(line);
    SetCheckpoint("d035");
    RefreshView(false, false);
}

void TMainFormController::Import() {
    const TCommandScope command;
    TKeyItems* list = CurrentList();
    if (!list)
        return;
    const auto path = ListView->ChooseOpenFile(ManagementLayer->ImportPath);
    if (!path)
        return;
    ManagementLayer->ImportPath = FolderOf(*path);
    CheckpointScope checkpoint("d007");
    ReadKeywordFile(*path, *list, MemoryBudget());
    SetCheckpoint("d008");
    RefreshView(false, false);
}

void TMainFormController::ExportToTextFile(int variant) {
    CheckpointScope checkpoint("d048");
    const auto path = ListView->ChooseSaveFile(ManagementLayer->ExportPath);
    if (!path)
        return;
    ManagementLayer->ExportPath = FolderOf(*path);
    TKeyItems& list = List();
    if (variant == 1) {
        SetCheckpoint("d064");
        list.AllToTextFile(*path);
    } else {
        SetCheckpoint("d061");
        CollectHighlighted(list.Highlighted);
        list.HighlightedToTextFile(*path);
    }
    Ask("Done", TMsgButtons::Ok, TMsgIcon::Information);
}

void TMainFormController::ExportToList(int variant) {
    CheckpointScope checkpoint("d054");
    TSelectListResult choice;
    bool confirmed = false;
    {
        ModalFrameScope modal;
        confirmed = dialogs_.RunSelectList(choice);
    }
    TKeyItems& list = List();
    if (!confirmed || !choice.List || choice.List == &list)
        return;
    if (choice.EmptyFirst)
        choice.List->Clear();
    if (variant == 1) {
        SetCheckpoint("d060");
        list.AllToList(*choice.List);
    } else {
        SetCheckpoint("d059");
        CollectHighlighted(list.Highlighted);
        list.HighlightedToList(*choice.List);
    }
}

void TMainFormController::ReportClipboard(bool placed) const {
    if (placed)
        Ask(ClipboardMessage, TMsgButtons::Ok, TMsgIcon::Information);
    else
        Ask(ClipboardFailedMessage, TMsgButtons::Ok, TMsgIcon::Warning);
}

void TMainFormController::ExportToClipboard(int variant) {
    CheckpointScope checkpoint("d051");
    TKeyItems& list = List();
    bool placed = false;
    if (variant == 1) {
        SetCheckpoint("d062");
        placed = list.AllToLines();
    } else {
        SetCheckpoint("d063");
        CollectHighlighted(list.Highlighted);
        placed = list.HighlightedToLines();
    }
    ReportClipboard(placed);
}

void TMainFormController::ExportToClipboardComma(int variant) {
    CheckpointScope checkpoint("d052");
    TKeyItems& list = List();
    bool placed = false;
    if (variant == 1) {
        SetCheckpoint("d066");
        placed = list.AllToCommaText();
    } else {
        SetCheckpoint("d065");
        CollectHighlighted(list.Highlighted);
        placed = list.HighlightedToCommaText();
    }
    ReportClipboard(placed);
}

void TMainFormController::EditColorsAndFont(int) {
    CheckpointScope checkpoint("d046");
    TKeyItems& list = List();
    bool confirmed = false;
    {
        ModalFrameScope modal;
        confirmed = dialogs_.RunColorsAndFont(list);
    }
    if (!confirmed)
        return;
    ListView->SetListFont(list.Settings.Font);
    ListView->InvalidateRows();
}

void TMainFormController::CheckForUpdates(int) {
    dialogs_.CheckForUpdates();
}
