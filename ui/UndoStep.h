#pragma once

#include "core/Progress.h"
#include "core/UndoHistory.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TKeyItems;
class TMainFormController;

inline constexpr int MegabyteShift = 20;
// Whole megabytes, rounded up, as the undo memory setting counts them.
std::int32_t UndoMegabytes(std::size_t bytes);

// The undo levels of one command of the main window: taken before the command changes a list, kept when it
// ended having changed it, dropped when it failed or changed nothing. A step inside a running step is part
// of the running one. The outermost step shows the progress of the long operations the command runs, and
// offers to cancel them while its levels can put back every list the command changes.
class TUndoStep {
public:
    TUndoStep(TMainFormController& controller, std::string name);
    ~TUndoStep();
    TUndoStep(const TUndoStep&) = delete;
    TUndoStep& operator=(const TUndoStep&) = delete;

    // Takes a level of the list as it is: with its entries, or only its highlight. A level that would not
    // fit the undo memory is not taken: the user is asked whether to go on without undo, and false means
    // the command is not to run.
    bool Keep(TKeyItems& list, bool withEntries);
    // Keep for a command that only removes these rows: the level holds just their entries.
    bool KeepRemoval(TKeyItems& list, const std::vector<TRowRun>& rows);
    // Keep for a command that only sorts the list, or only rewrites texts of its entries: the level holds
    // just the order, or the replaced texts.
    bool KeepSort(TKeyItems& list);
    bool KeepRewrite(TKeyItems& list);
    // Keep for a command that only removes the list's duplicates: the level holds just the removed ones.
    bool KeepDuplicates(TKeyItems& list);
    // Keep for a command that only adds entries at the list's end: the level holds none of them.
    bool KeepAddition(TKeyItems& list);
    // Keep for a command that only clears the list: the level takes the entries as they go.
    bool KeepClearing(TKeyItems& list);
    // The command ended: its levels of changed lists join the history.
    void Commit();
    // The command was cancelled: the lists are put back as the levels kept them, and the levels go.
    void Restore();
    // Runs the command's work; when the user cancels it, restores and returns false.
    template <class TWork> bool RunOrRestore(TWork&& work) {
        try {
            work();
            return true;
        } catch (const ECancelled&) {
            Restore();
            return false;
        }
    }

private:
    enum class TRoom { Fits, WithoutUndo, Refused };
    // Whether a level of that many bytes fits the undo memory; when not, the user's answer.
    TRoom RoomFor(std::size_t needed, const TKeyItems& list);
    // Takes the level that make() makes when one of needed bytes fits.
    template <class TMake> bool KeepLevel(TKeyItems& list, std::size_t needed, TMake&& make);
    bool Cancellable() const { return unkept_.empty() && !removal_; }
    void Report(double fraction);

    TMainFormController& controller_;
    std::string name_;
    bool outermost_;
    std::vector<std::unique_ptr<TUndoLevel>> levels_;
    // Lists changed without a level: their older levels no longer lead back.
    std::vector<const TKeyItems*> unkept_;
    // A removal level puts back only what a complete removal took.
    bool removal_ = false;
    TProgress progress_;
    std::optional<TProgressScope> reporting_;
};
