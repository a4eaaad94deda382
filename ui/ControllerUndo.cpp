#include "core/KeyItems.h"
#include "frame/ManagementLayer.h"
#include "ui/ActionList.h"
#include "ui/EditCommands.h"
#include "ui/MainFormController.h"
#include "ui/MainView.h"
#include "ui/SystemMemory.h"
#include "ui/UndoStep.h"

#include <QLocale>

#include <algorithm>
#include <string_view>

namespace {

QString Megabytes(std::size_t bytes) {
    return QLocale().toString(UndoMegabytes(bytes));
}

} // namespace

std::int32_t UndoMegabytes(std::size_t bytes) {
    const std::size_t megabytes = (bytes + (std::size_t{1} << MegabyteShift) - 1) >> MegabyteShift;
    return static_cast<std::int32_t>(std::min<std::size_t>(megabytes, MaxUndoMemory));
}

TUndoStep::TUndoStep(TMainFormController& controller, std::string name)
    : controller_(controller), name_(std::move(name)), outermost_(!controller.undoStep_),
      progress_([this](double fraction) { Report(fraction); }) {
    if (!outermost_)
        return;
    controller_.undoStep_ = this;
    controller_.undo_.SetBudget(controller_.UndoBudget());
    reporting_.emplace(&progress_);
}

TUndoStep::~TUndoStep() {
    if (!outermost_)
        return;
    reporting_.reset();
    controller_.MainView->EndProgress();
    controller_.undoStep_ = nullptr;
    for (const TKeyItems* list : unkept_)
        controller_.undo_.Forget(*list);
}

template <class TMake> bool TUndoStep::KeepLevel(TKeyItems& list, std::size_t needed, TMake&& make) {
    const TRoom room = RoomFor(needed, list);
    if (room == TRoom::Fits)
        levels_.push_back(make(controller_.HighlightOf(list)));
    return room != TRoom::Refused;
}

bool TUndoStep::Keep(TKeyItems& list, bool withEntries) {
    if (!outermost_)
        return controller_.undoStep_->Keep(list, withEntries);
    return KeepLevel(list, TUndoLevel::BytesFor(list, withEntries), [&](std::vector<TRowRun> highlighted) {
        return std::make_unique<TUndoLevel>(name_, list, std::move(highlighted), withEntries);
    });
}

bool TUndoStep::KeepSort(TKeyItems& list) {
    if (!outermost_)
        return controller_.undoStep_->KeepSort(list);
    return KeepLevel(list, TUndoLevel::BytesForSort(list), [&](std::vector<TRowRun> highlighted) {
        return TUndoLevel::ForSort(name_, list, std::move(highlighted));
    });
}

bool TUndoStep::KeepDuplicates(TKeyItems& list) {
    if (!outermost_)
        return controller_.undoStep_->KeepDuplicates(list);
    // The level holds whatever the removal took when it stopped, so the command stays cancellable.
    return KeepLevel(list, TUndoLevel::BytesForDuplicates(list), [&](std::vector<TRowRun> highlighted) {
        return TUndoLevel::ForDuplicates(name_, list, std::move(highlighted));
    });
}

bool TUndoStep::KeepAddition(TKeyItems& list) {
    if (!outermost_)
        return controller_.undoStep_->KeepAddition(list);
    return KeepLevel(list, TUndoLevel::BytesFor(list, false), [&](std::vector<TRowRun> highlighted) {
        return TUndoLevel::ForAddition(name_, list, std::move(highlighted));
    });
}

bool TUndoStep::KeepClearing(TKeyItems& list) {
    if (!outermost_)
        return controller_.undoStep_->KeepClearing(list);
    return KeepLevel(list, TUndoLevel::BytesFor(list, true), [&](std::vector<TRowRun> highlighted) {
        return TUndoLevel::ForClearing(name_, list, std::move(highlighted));
    });
}

bool TUndoStep::KeepRewrite(TKeyItems& list) {
    if (!outermost_)
        return controller_.undoStep_->KeepRewrite(list);
    return KeepLevel(list, TUndoLevel::BytesForRewrite(list), [&](std::vector<TRowRun> highlighted) {
        return TUndoLevel::ForRewrite(name_, list, std::move(highlighted));
    });
}

bool TUndoStep::KeepRemoval(TKeyItems& list, const std::vector<TRowRun>& rows) {
    if (!outermost_)
        return controller_.undoStep_->KeepRemoval(list, rows);
    const TRoom room = RoomFor(TUndoLevel::BytesForRemoval(list, rows), list);
    removal_ = true;
    if (room == TRoom::Fits)
        levels_.push_back(TUndoLevel::ForRemoval(name_, list, controller_.HighlightOf(list), rows));
    return room != TRoom::Refused;
}

TUndoStep::TRoom TUndoStep::RoomFor(std::size_t needed, const TKeyItems& list) {
    const std::size_t budget = controller_.undo_.Budget();
    if (needed <= budget)
        return TRoom::Fits;
    const QString text =
        QString("Undoing this command would need %1 MB, more than the %2 MB of undo memory.\r\n"
                "Go ahead without undo?")
            .arg(Megabytes(needed), Megabytes(budget));
    if (controller_.Ask(text.toStdString(), TMsgButtons::YesNo, TMsgIcon::Question) != TMsgResult::Yes)
        return TRoom::Refused;
    unkept_.push_back(&list);
    return TRoom::WithoutUndo;
}

void TUndoStep::Commit() {
    if (!outermost_)
        return;
    for (auto& level : levels_)
        level->Detach();
    for (auto& level : levels_)
        if (!level->Unchanged(controller_.HighlightOf(level->List())))
            controller_.undo_.Push(std::move(level));
    levels_.clear();
}

void TUndoStep::Restore() {
    if (!outermost_)
        return controller_.undoStep_->Restore();
    for (auto& level : levels_)
        level->Detach();
    // Newest first: a list kept twice ends as the first level kept it.
    for (auto level = levels_.rbegin(); level != levels_.rend(); ++level) {
        TKeyItems& list = (*level)->List();
        const std::vector<TRowRun> shown = (*level)->Exchange(controller_.HighlightOf(list));
        if (&list == controller_.CurrentList()) {
            controller_.RefreshView(false, true);
            controller_.MainView->SelectRuns(shown);
        }
    }
    levels_.clear();
}

void TUndoStep::Report(double fraction) {
    if (controller_.MainView->ShowProgress(name_, fraction, Cancellable()) && Cancellable())
        progress_.Cancel();
}

void TMainFormController::RunCommand(const TCommand& command) {
    TUndoStep step(*this, UndoNameOf(command));
    TListChange change = ChangeOf(command);
    // Putting many rows back, or taking them out again, costs more than exchanging a copy of the list.
    if (change == TListChange::HighlightedRows && MainView->SelectedCount() > List().Count() / 4)
        change = TListChange::Entries;
    if ((change == TListChange::Entries || change == TListChange::Highlight) &&
        !step.Keep(List(), change == TListChange::Entries))
        return;
    if (change == TListChange::Order && !step.KeepSort(List()))
        return;
    if (change == TListChange::Texts && !step.KeepRewrite(List()))
        return;
    if (change == TListChange::Duplicates && !step.KeepDuplicates(List()))
        return;
    if (change == TListChange::Cleared && !step.KeepClearing(List()))
        return;
    if (change == TListChange::HighlightedRows && !step.KeepRemoval(List(), MainView->SelectedRuns()))
        return;
    if (step.RunOrRestore([&] { command.Handler(*this, command.Variant); }))
        step.Commit();
}

bool TMainFormController::KeepUndoOf(TKeyItems& list) {
    return !undoStep_ || undoStep_->Keep(list, true);
}

std::vector<TRowRun> TMainFormController::HighlightOf(const TKeyItems& list) const {
    return &list == CurrentList() ? MainView->SelectedRuns() : std::vector<TRowRun>{};
}

std::size_t TMainFormController::UndoBudget() const {
    return management_.UndoMemory > 0 ? static_cast<std::size_t>(management_.UndoMemory) << MegabyteShift
                                      : AutomaticUndoBudget();
}

std::size_t TMainFormController::AutomaticUndoBudget() const {
    if (memoryBudget_ != 0)
        return memoryBudget_ / 4;
    // What the levels hold would be available without them.
    return (CommandMemoryBudget() + undo_.Bytes() / 2) / 4;
}

void TMainFormController::StepHistory(bool back) {
    TKeyItems& list = List();
    const std::vector<TRowRun> shown =
        back ? undo_.Undo(list, MainView->SelectedRuns()) : undo_.Redo(list, MainView->SelectedRuns());
    RefreshView(false, true);
    MainView->SelectRuns(shown);
}

void TMainFormController::BindEditCommands() {
    for (const TEditCommand& command : EditCommands) {
        // By text: the same literal need not have one address in every file.
        const bool back = std::string_view(command.Name) == UndoCommand.Name;
        BindCommand(
            command.Name, [this, back] { StepHistory(back); },
            [this, back, &command](TAction& a) {
                const TKeyItems* list = CurrentList();
                const TUndoLevel* level = !list  ? nullptr
                                          : back ? undo_.NextUndo(*list)
                                                 : undo_.NextRedo(*list);
                a.setEnabled(level != nullptr);
                a.setText(
                    level ? QString("%1 %2").arg(command.Caption, QString::fromStdString(level->Caption()))
                          : QString(command.Caption));
            });
    }
}
