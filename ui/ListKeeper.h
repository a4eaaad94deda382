#pragma once

#include "frame/ListSaver.h"
#include "frame/ListStore.h"
#include "ui/CommandScope.h"

#include <QObject>

#include <mutex>
#include <optional>
#include <string>
#include <thread>

class TBusinessLogicLayer;
class TErrorLog;
class TMainFormController;
class TManagementLayer;

// Keeps the keyword lists between runs: restores them in the background when the program starts, while
// the window is already up, and saves when the commands that changed one pause, and at exit. A damaged saved
// state is set aside and named to the user once. Off when the management layer's KeepLists is off: then
// nothing is restored and what was kept is dropped.
class TListKeeper : public ICommandObserver {
public:
    TListKeeper(std::string folder, TMainFormController& controller, TBusinessLogicLayer& lists,
                const TManagementLayer& management, const TErrorLog& log);
    ~TListKeeper() override;
    TListKeeper(const TListKeeper&) = delete;
    TListKeeper& operator=(const TListKeeper&) = delete;

    void Start();
    // Completes the restore if it is still running, then saves (or drops the kept lists) and waits.
    void Finish();
    // Whether the restored lists are in place (also when there were none, or they were damaged).
    bool Restored() const { return applied_; }

    void CommandStarting() override;
    void CommandEnded() override;

private:
    bool Keeping() const;
    void Delivered();
    void Apply(bool atExit);
    void PutInPlace(TKeptState& state);
    void ShowOnce(const std::string& text);
    TKeptSession Session() const;
    int CurrentIndex() const;

    TListStore store_;
    TMainFormController& controller_;
    TBusinessLogicLayer& lists_;
    const TManagementLayer& management_;
    const TErrorLog& log_;
    std::optional<TListSaver> saver_;
    std::thread restorer_;
    std::optional<TKeptState> restored_;
    std::optional<std::string> restoreError_;
    QObject context_;
    bool applied_ = false;
    bool applyPending_ = false;
    bool locked_ = false;
    bool failureShown_ = false;
    bool busyCursor_ = false;
    bool started_ = false;
    bool finished_ = false;
};

// $XDG_DATA_HOME/Pellox/Termwright/Lists (~/.local/share by default).
std::string KeptListsFolder();
