#include "ui/MainFormController.h"

#include "core/BusinessLogicLayer.h"
#include "core/CheckpointTrail.h"
#include "core/Exceptions.h"
#include "frame/ManagementLayer.h"
#include "ui/ActionList.h"
#include "ui/CommandScope.h"
#include "ui/ControlledForm.h"
#include "ui/EditCommands.h"
#include "ui/MainView.h"
#include "ui/SystemMemory.h"
#include "ui/UndoStep.h"

#include <QApplication>

namespace {

constexpr int MaxLists = 26;

} // namespace

TMainFormController::TMainFormController(const TMainViewClass& viewClass, const TControllerServices& services)
    : TFormController((PushCheckpoint("AS014"), [&viewClass]() -> TControlledForm* { return viewClass(); }),
                      true),
      lists_(services.Lists), management_(services.Management), dialogs_(services.Dialogs),
      clipboard_(services.Clipboard) {
    Form->setWindowTitle(MainWindowCaption);
    // The form came from viewClass.
    auto* view = static_cast<TMainViewForm*>(Form);
    view->Events = this;
    MainView = view;
    ActionList = &MainView->Commands();
    if (ICommandObserver* observer = MainView->CommandObserver())
        commands_.Observe(observer);
    SetCheckpoint("AS009");
    SetCheckpoint("AS002");
    PushCheckpoint("d148");
    MainView->LoadButtonImages();
    PopCheckpoint();
    SetCheckpoint("AS015");
    for (int i = 0; i < 6; ++i)
        AddListTab(false);
    SelectListTab(0);
    SetCheckpoint("AS016");
    SwitchToList(lists_.GetList(0));
    SetCheckpoint("AS006");
    MainView->AttachMenus();
    BindCommands();
    PopCheckpoint();
}

TMainFormController::~TMainFormController() {
    PushCheckpoint("AD011");
    // The window outlives this part of the controller by a moment; nothing it reports may reach it then.
    static_cast<TMainViewForm*>(Form)->Events = nullptr;
    SetCheckpoint("AD012");
    PopCheckpoint();
}

TKeyItems* TMainFormController::CurrentList() const {
    return lists_.CurrentList();
}

TKeyItems& TMainFormController::List() const {
    TKeyItems* list = CurrentList();
    if (!list)
        throw Exception("There is no current keyword list");
    return *list;
}

void TMainFormController::RefreshView(bool resetCount, bool clearHighlight) {
    TKeyItems* list = CurrentList();
    if (!list)
        return;
    CheckpointScope checkpoint("d001");
    if (resetCount)
        MainView->SetRowCount(0);
    MainView->SetRowCount(list->Count());
    MainView->InvalidateRows();
    if (clearHighlight)
        MainView->ClearSelection();
}

void TMainFormController::CollectHighlighted(TIntList& highlighted) const {
    highlighted.Clear();
    const std::vector<int> rows = MainView->SelectedRows();
    highlighted.SetCapacity(static_cast<int>(rows.size()));
    for (int row : rows)
        highlighted.Add(row);
}

void TMainFormController::CollectHighlightedTexts(std::vector<std::string>& texts) const {
    texts.clear();
    const TKeyItems& list = List();
    for (int row : MainView->SelectedRows())
        texts.emplace_back(list.GetKeyItem(row).Text());
}

void TMainFormController::ApplySort(TSortOrder order) {
    CheckpointScope checkpoint("d119");
    List().SortBy(static_cast<std::uint8_t>(order));
    SetCheckpoint("d120");
    RefreshView(false, true);
}

TKeyItems& TMainFormController::AddListTab(bool select) {
    CheckpointScope checkpoint("d006");
    if (lists_.ListCount() > MaxLists - 1)
        throw Exception("Too much lists");
    const int index = lists_.ListCount();
    TKeyItems& list = lists_.NewList();
    list.Name = std::string("List-") + static_cast<char>('A' + index);
    if (select)
        SelectListTab(index);
    else
        ShowListTabs(lists_.IndexOf(CurrentList()));
    return list;
}

void TMainFormController::SelectListTab(int index) {
    CheckpointScope checkpoint("d149");
    TKeyItems& list = lists_.GetList(index);
    ShowListTabs(index);
    SwitchToList(list);
}

void TMainFormController::ShowListTabs(int current) const {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(lists_.ListCount()));
    for (int i = 0; i < lists_.ListCount(); ++i)
        names.push_back(lists_.GetList(i).Name);
    MainView->ShowListTabs(names, current);
}

void TMainFormController::SwitchToList(TKeyItems& list) {
    CheckpointScope checkpoint("d003");
    if (TKeyItems* current = CurrentList())
        for (int column = 0; column < 2; ++column)
            current->Settings.SetColumnWidth(column, MainView->ColumnWidth(column));
    SetCheckpoint("d133");
    lists_.SetCurrentList(&list);
    SetCheckpoint("d134");
    MainView->SetListFont(list.Settings.Font);
    for (int column = 0; column < 2; ++column)
        MainView->SetColumnWidth(column, list.Settings.GetColumnWidth(column));
    SetCheckpoint("d004");
    RefreshView(true, false);
}

void TMainFormController::SortByColumn(int column) {
    const TCommandScope command(commands_);
    if (column != 0 && column != 1)
        return;
    const auto sortOrder = static_cast<TSortOrder>(List().SortOrder);
    const TSortOrder order =
        column == 0 ? (sortOrder == TSortOrder::AscendingWordCount ? TSortOrder::DescendingWordCount
                                                                   : TSortOrder::AscendingWordCount)
                    : (sortOrder == TSortOrder::Ascending ? TSortOrder::Descending : TSortOrder::Ascending);
    TUndoStep undo(*this, UndoNameOf(order));
    if (!undo.KeepSort(List()))
        return;
    if (undo.RunOrRestore([&] { ApplySort(order); }))
        undo.Commit();
}

void TMainFormController::ResetView() {
    CheckpointScope checkpoint("d002");
    RefreshView(true, false);
}

void TMainFormController::ApplyCurrentListFont() {
    if (TKeyItems* list = CurrentList())
        MainView->SetListFont(list->Settings.Font);
}

void TMainFormController::ShowAbout() {
    dialogs_.RunAbout();
}

void TMainFormController::OpenHomePage() {
    management_.OpenHomePage();
}

std::size_t TMainFormController::MemoryBudget() const {
    return memoryBudget_ != 0 ? memoryBudget_ : CommandMemoryBudget();
}

TMsgResult TMainFormController::Ask(const std::string& text, TMsgButtons buttons, TMsgIcon icon) const {
    return MainView->Ask(text, buttons, icon);
}

void TMainFormController::Select(const TIntList& rows) {
    MainView->ClearSelection();
    MainView->SelectOnly(rows);
}

bool TMainFormController::RuleAllows(TCommandRule rule) const {
    switch (rule) {
    case TCommandRule::NeedsEntries: {
        const TKeyItems* list = CurrentList();
        return list && list->Count() > 0;
    }
    case TCommandRule::NeedsHighlight:
        return MainView->SelectedCount() > 0;
    case TCommandRule::AlwaysEnabled:
        return true;
    }
    return false;
}

void TMainFormController::BindCommands() {
    for (const TCommand& command : CommandTable()) {
        SetCheckpoint(command.Checkpoint);
        BindCommand(
            command.Name, [this, &command] { RunCommand(command); },
            [this, &command](TAction& a) { a.setEnabled(RuleAllows(command.Rule)); });
        FindAction(command.Name)->Tag = VariantTag(command.Variant);
    }
    BindEditCommands();
    BindWordFrequencyCommand();
}

void TMainFormController::BindCommand(const char* name, std::function<void()> run, TAction::THandler update) {
    TAction* action = BindAction(
        name,
        [this, run = std::move(run)](TAction&) {
            const TCommandScope command(commands_);
            run();
        },
        std::move(update));
    if (!action)
        throw Exception(std::string("The main window has no command ") + name);
}
