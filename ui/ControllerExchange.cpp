#include "ui/MainFormController.h"

#include "core/BusinessLogicLayer.h"
#include "core/CheckpointTrail.h"
#include "core/KeywordFile.h"
#include "frame/CodePageChoice.h"
#include "frame/Files.h"
#include "frame/ManagementLayer.h"
#include "ui/CommandScope.h"
#include "ui/MainView.h"
#include "ui/UndoStep.h"

#include <QLocale>

#include <filesystem>

namespace {

constexpr const char* ClipboardMessage = "Keyword data transfered to Windows clipboard\r\n"
                                         "Use you application's 'Paste' menu option to\r\n"
                                         "access the clipboard.";
constexpr const char* ClipboardFailedMessage = "The keywords could not be placed on the clipboard.";

constexpr const char* KeepEveryCharacter =
    "\r\n\r\nTo keep every character, choose UTF-8 for the export in the Colors & Fonts dialog.";

std::string DamageMessage(const TImportResult& result) {
    const std::string lines =
        result.DamagedLines == 1 ? "1 line" : std::to_string(result.DamagedLines) + " lines";
    return lines + " of the file held bytes that are not valid " + EncodingTitle(result.Encoding) +
           ". They were imported with each such byte shown as \"\xEF\xBF\xBD\" (U+FFFD).";
}

// The folder part of a chosen file, with its trailing separator.
std::string FolderOf(const std::string& path) {
    return IncludeTrailingSlash(std::filesystem::path(path).parent_path().string());
}

} // namespace

void TMainFormController::AddKeywords() {
    const TCommandScope command(commands_);
    TUndoStep undo(*this, "Add");
    CheckpointScope checkpoint("d032");
    TAddWordsResult result;
    bool confirmed = false;
    {
        ModalFrameScope modal;
        confirmed = dialogs_.RunAddWords(result);
    }
    TKeyItems& list = List();
    if (!confirmed || !undo.Keep(list, true))
        return;
    SetCheckpoint("d033");
    if (!result.Append)
        list.Clear();
    SetCheckpoint("d034");
    for (const auto& line : result.Lines)
        list.AddKeyword(line);
    SetCheckpoint("d035");
    RefreshView(false, false);
    undo.Commit();
}

void TMainFormController::Import() {
    const TCommandScope command(commands_);
    TKeyItems* list = CurrentList();
    if (!list)
        return;
    const auto path = MainView->ChooseOpenFile(management_.ImportPath);
    TUndoStep undo(*this, "Import");
    if (!path || !undo.KeepAddition(*list))
        return;
    management_.ImportPath = FolderOf(*path);
    CheckpointScope checkpoint("d007");
    TImportResult result;
    if (!undo.RunOrRestore([&] { result = ReadImport(*path, *list); }))
        return;
    SetCheckpoint("d008");
    RefreshView(false, false);
    undo.Commit();
    if (result.DamagedLines > 0)
        Ask(DamageMessage(result), TMsgButtons::Ok, TMsgIcon::Warning);
}

void TMainFormController::ImportFiles(const std::vector<std::string>& paths) {
    const TCommandScope command(commands_);
    TKeyItems* list = CurrentList();
    TUndoStep undo(*this, "Import");
    if (!list || paths.empty() || !undo.KeepAddition(*list))
        return;
    CheckpointScope checkpoint("d150");
    std::vector<std::string> damages;
    try {
        const bool read = undo.RunOrRestore([&] {
            for (const std::string& path : paths) {
                const TImportResult result = ReadImport(path, *list);
                if (result.DamagedLines > 0)
                    damages.push_back((paths.size() > 1
                                           ? std::filesystem::path(path).filename().string() + ": "
                                           : std::string()) +
                                      DamageMessage(result));
            }
        });
        if (!read)
            return;
    } catch (...) {
        // The files read before the failing one stay, and can be undone with the rest.
        RefreshView(false, false);
        undo.Commit();
        throw;
    }
    SetCheckpoint("d151");
    RefreshView(false, false);
    undo.Commit();
    for (const std::string& damage : damages)
        Ask(damage, TMsgButtons::Ok, TMsgIcon::Warning);
}

TImportResult TMainFormController::ReadImport(const std::string& path, TKeyItems& list) {
    const TImportChoice choice{management_.ImportEncoding, CodePageForLocale(QLocale::system())};
    return ReadKeywordFile(path, list, MemoryBudget(), choice);
}

void TMainFormController::ExportToTextFile(TExportScope scope) {
    CheckpointScope checkpoint("d048");
    const auto path = MainView->ChooseSaveFile(management_.ExportPath);
    if (!path)
        return;
    management_.ExportPath = FolderOf(*path);
    TKeyItems& list = List();
    const TTextEncoding encoding = management_.ExportEncoding;
    try {
        if (scope == TExportScope::All) {
            SetCheckpoint("d064");
            list.AllToTextFile(*path, encoding);
        } else {
            SetCheckpoint("d061");
            CollectHighlighted(list.Highlighted);
            list.HighlightedToTextFile(*path, encoding);
        }
    } catch (const EEncodingError& refusal) {
        Ask(refusal.Message + KeepEveryCharacter, TMsgButtons::Ok, TMsgIcon::Warning);
        return;
    }
    Ask("Done", TMsgButtons::Ok, TMsgIcon::Information);
}

void TMainFormController::ExportToList(TExportScope scope) {
    CheckpointScope checkpoint("d054");
    TSelectListResult choice;
    bool confirmed = false;
    {
        ModalFrameScope modal;
        confirmed = dialogs_.RunSelectList(choice);
    }
    TKeyItems& list = List();
    if (!confirmed || !choice.List || choice.List == &list || !KeepUndoOf(*choice.List))
        return;
    if (choice.EmptyFirst)
        choice.List->Clear();
    if (scope == TExportScope::All) {
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

void TMainFormController::ExportToClipboard(TExportScope scope) {
    CheckpointScope checkpoint("d051");
    TKeyItems& list = List();
    bool placed = false;
    if (scope == TExportScope::All) {
        SetCheckpoint("d062");
        placed = list.AllToLines(clipboard_);
    } else {
        SetCheckpoint("d063");
        CollectHighlighted(list.Highlighted);
        placed = list.HighlightedToLines(clipboard_);
    }
    ReportClipboard(placed);
}

void TMainFormController::ExportToClipboardComma(TExportScope scope) {
    CheckpointScope checkpoint("d052");
    TKeyItems& list = List();
    bool placed = false;
    if (scope == TExportScope::All) {
        SetCheckpoint("d066");
        placed = list.AllToCommaText(clipboard_);
    } else {
        SetCheckpoint("d065");
        CollectHighlighted(list.Highlighted);
        placed = list.HighlightedToCommaText(clipboard_);
    }
    ReportClipboard(placed);
}

void TMainFormController::EditColorsAndFont() {
    CheckpointScope checkpoint("d046");
    TKeyItems& list = List();
    TFileEncodings encodings{management_.ImportEncoding, management_.ExportEncoding};
    management_.AutomaticUndoMemory = UndoMegabytes(AutomaticUndoBudget());
    bool confirmed = false;
    {
        ModalFrameScope modal;
        confirmed = dialogs_.RunColorsAndFont(list, encodings);
    }
    if (!confirmed)
        return;
    management_.ImportEncoding = encodings.Import;
    management_.ExportEncoding = encodings.Export;
    undo_.SetBudget(UndoBudget());
    MainView->SetListFont(list.Settings.Font);
    MainView->InvalidateRows();
}

void TMainFormController::CheckForUpdates() {
    dialogs_.CheckForUpdates();
}
