#include "ui/ListKeeper.h"

#include "core/BusinessLogicLayer.h"
#include "frame/ErrorLog.h"
#include "frame/ManagementLayer.h"
#include "ui/MainFormController.h"
#include "ui/MainView.h"

#include <QApplication>
#include <QStandardPaths>

#include <algorithm>
#include <chrono>

TListKeeper::TListKeeper(std::string folder, TMainFormController& controller, TBusinessLogicLayer& lists,
                         const TManagementLayer& management, const TErrorLog& log)
    : store_(std::move(folder)), controller_(controller), lists_(lists), management_(management), log_(log) {
    controller_.Commands().Observe(this);
}

TListKeeper::~TListKeeper() {
    try {
        Finish();
    } catch (...) {
        // Finish reports its own failures; nothing may escape a destructor.
    }
    controller_.Commands().Unobserve(this);
}

bool TListKeeper::Keeping() const {
    return management_.KeepLists;
}

void TListKeeper::Start() {
    started_ = true;
    if (!store_.Claim()) {
        // Another running copy of the program keeps the lists; two writers would spoil each other's saves.
        log_.Write("Lists are not kept: another running program uses \"" + store_.Folder() + "\"");
        applied_ = true;
        return;
    }
    if (!Keeping()) {
        store_.Forget();
        applied_ = true;
        saver_.emplace(store_, lists_);
        return;
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        busyCursor_ = true;
    }
    restorer_ = std::thread([this] {
        try {
            restored_ = store_.Load();
        } catch (const std::exception& e) {
            restoreError_ = e.what();
        }
        QMetaObject::invokeMethod(
            &context_, [this] { Delivered(); }, Qt::QueuedConnection);
    });
}

void TListKeeper::Delivered() {
    if (applied_)
        return;
    // A command holds references into the lists until it ends: the lists change only then.
    if (controller_.Commands().Running()) {
        applyPending_ = true;
        return;
    }
    // Putting the lists in place changes them as a command does: whoever reads them waits meanwhile.
    const TCommandScope command(controller_.Commands());
    Apply(false);
}

void TListKeeper::Apply(bool atExit) {
    if (restorer_.joinable())
        restorer_.join();
    applied_ = true;
    applyPending_ = false;
    if (busyCursor_) {
        QApplication::restoreOverrideCursor();
        busyCursor_ = false;
    }
    if (restoreError_) {
        const std::string aside = store_.SetAside();
        log_.Write("Kept lists can't be restored (" + *restoreError_ + ")" +
                   (aside.empty() ? "" : "; kept as \"" + aside + "\""));
        if (!atExit)
            ShowOnce("The lists kept from the last run are damaged and were not restored; the program starts "
                     "with empty lists. " +
                     (aside.empty() ? "The damaged copy stays in \"" + store_.Folder() + "\"."
                                    : "The damaged copy is kept in \"" + aside + "\"."));
    } else if (restored_) {
        PutInPlace(*restored_);
    }
    restored_.reset();
    saver_.emplace(store_, lists_);
    if (Keeping())
        saver_->Request(Session());
}

void TListKeeper::PutInPlace(TKeptState& state) {
    const int count = std::min(static_cast<int>(state.Lists.size()), lists_.ListCount());
    bool currentUntouched = true;
    for (int i = 0; i < count; ++i) {
        TKeyItems& live = lists_.GetList(i);
        TKeyItems& kept = *state.Lists[static_cast<std::size_t>(i)];
        // What the user added while the restore ran stays, after the kept entries.
        const bool untouched = live.Count() == 0;
        if (i == state.Session.CurrentList)
            currentUntouched = untouched;
        kept.TakeEntries(live);
        live.SwapEntries(kept);
        controller_.ForgetUndoOf(live);
        if (untouched)
            live.SortOrder = kept.SortOrder;
        live.Name = kept.Name;
    }
    const int current = state.Session.CurrentList;
    if (current >= 0 && current < lists_.ListCount())
        controller_.SelectListTab(current);
    else
        controller_.RefreshView(true, false);
    IMainView& view = *controller_.MainView;
    if (!currentUntouched || view.SelectedCount() > 0 || state.Session.Highlighted.empty())
        return;
    view.SelectRuns(state.Session.Highlighted);
}

void TListKeeper::ShowOnce(const std::string& text) {
    controller_.MainView->Ask(text, TMsgButtons::Ok, TMsgIcon::Warning);
}

int TListKeeper::CurrentIndex() const {
    return std::max(0, lists_.IndexOf(lists_.CurrentList()));
}

TKeptSession TListKeeper::Session() const {
    TKeptSession session;
    session.CurrentList = CurrentIndex();
    session.Highlighted = controller_.MainView->SelectedRuns();
    return session;
}

void TListKeeper::CommandStarting() {
    if (!saver_)
        return;
    // A save that is reading the lists gives them up within milliseconds; meanwhile the window goes on
    // painting, but takes no input.
    saver_->Hold();
    std::timed_mutex& lock = saver_->ListsLock();
    while (!lock.try_lock_for(std::chrono::milliseconds(10)))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    locked_ = true;
}

void TListKeeper::CommandEnded() {
    // Runs as a command's scope closes, also while a failure leaves it: nothing may escape.
    try {
        if (applyPending_)
            Apply(false);
        if (saver_ && Keeping())
            saver_->Request(Session());
    } catch (const std::exception& e) {
        log_.Write(std::string("Lists can't be saved: ") + e.what());
    }
    if (locked_) {
        saver_->ListsLock().unlock();
        locked_ = false;
    }
    if (!saver_)
        return;
    if (const auto failure = saver_->TakeFailure()) {
        log_.Write("Lists can't be saved: " + *failure);
        if (!std::exchange(failureShown_, true))
            try {
                ShowOnce("The lists can't be saved for the next start: " + *failure);
            } catch (...) {
                // Already in the log.
            }
    }
}

void TListKeeper::Finish() {
    // Never started, nothing was restored: a save now would replace the kept lists with empty ones.
    if (!started_ || std::exchange(finished_, true))
        return;
    if (!applied_)
        Apply(true);
    if (!saver_)
        return;
    if (Keeping()) {
        saver_->Request(Session());
        saver_->Flush();
    } else {
        saver_->Flush();
    }
    if (const auto failure = saver_->TakeFailure())
        log_.Write("Lists can't be saved: " + *failure);
    saver_.reset();
    if (!Keeping())
        store_.Forget();
}

std::string KeptListsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() +
           "/Pellox/Termwright/Lists";
}
