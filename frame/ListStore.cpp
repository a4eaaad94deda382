#include "frame/ListStore.h"

#include "core/Exceptions.h"
#include "core/KeyItems.h"
#include "core/ListFile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* StateName = "lists.state";
constexpr const char* NewStateName = "lists.state.new";
constexpr std::string_view ListPrefix = "list-";
// More lists than the tabs could ever hold means the state file lies.
constexpr std::uint64_t MostLists = 64;

void SyncPath(const std::string& path, bool folder) {
    const int fd = open(path.c_str(), (folder ? O_RDONLY | O_DIRECTORY : O_RDONLY) | O_CLOEXEC);
    if (fd < 0)
        RaiseInOutError("open", path, errno);
    const int result = fsync(fd);
    const int error = errno;
    close(fd);
    if (result != 0)
        RaiseInOutError("flush", path, error);
}

bool Missing(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

// Each run as the gap since the end of the previous one, then its length.
void AppendRuns(std::string& out, const std::vector<TRowRun>& runs) {
    AppendVarint(out, runs.size());
    std::int64_t end = 0;
    for (const TRowRun& run : runs) {
        AppendVarint(out, static_cast<std::uint64_t>(run.First - end));
        AppendVarint(out, static_cast<std::uint64_t>(run.Count));
        end = static_cast<std::int64_t>(run.First) + run.Count;
    }
}

std::vector<TRowRun> ReadRuns(std::string_view data, std::size_t& pos, const std::string& path,
                              std::uint64_t rowLimit) {
    std::vector<TRowRun> runs;
    const std::uint64_t count = ReadVarint(data, pos, path);
    std::uint64_t end = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t gap = ReadVarint(data, pos, path);
        const std::uint64_t length = ReadVarint(data, pos, path);
        // Runs that touch would have been one; the first may start at row 0.
        if (gap > rowLimit - end || (gap == 0 && i > 0) || length == 0 || length > rowLimit - end - gap)
            throw EDamagedFile("Saved file \"" + path + "\" is damaged: highlighted rows beyond the list");
        runs.push_back({static_cast<int>(end + gap), static_cast<int>(length)});
        end += gap + length;
    }
    return runs;
}

} // namespace

TListStore::TListStore(std::string folder) : folder_(std::move(folder)) {}

TListStore::~TListStore() {
    Abandon();
    if (claim_ >= 0)
        close(claim_);
}

bool TListStore::Claim() {
    std::error_code ignored;
    fs::create_directories(fs::path(folder_).parent_path(), ignored);
    const std::string path = folder_ + ".lock";
    claim_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (claim_ >= 0 && flock(claim_, LOCK_EX | LOCK_NB) == 0)
        return true;
    if (claim_ >= 0)
        close(claim_);
    claim_ = -1;
    return false;
}

TListStore::TSignature TListStore::SignatureOf(const TKeyItems& list) {
    return {list.Count(), list.TextBytes(), list.SortOrder, list.Name};
}

std::string TListStore::ListPath(int index, std::uint64_t generation) const {
    return folder_ + "/" + std::string(ListPrefix) + std::to_string(index) + "-" + std::to_string(generation);
}

std::string TListStore::StatePath() const {
    return folder_ + "/" + StateName;
}

std::optional<TKeptState> TListStore::Load() {
    const std::string statePath = StatePath();
    if (Missing(folder_) || Missing(statePath)) {
        RemoveStrays();
        return std::nullopt;
    }
    const std::string payload = ReadRecordFile(statePath);
    std::size_t pos = 0;
    const std::uint64_t nextGeneration = ReadVarint(payload, pos, statePath);
    const std::uint64_t listCount = ReadVarint(payload, pos, statePath);
    if (listCount == 0 || listCount > MostLists)
        throw EDamagedFile("Saved file \"" + statePath + "\" is damaged: impossible number of lists");
    TKeptState state;
    std::vector<TSaved> saved(listCount);
    for (auto& each : saved) {
        each.Generation = ReadVarint(payload, pos, statePath);
        each.Checksum = ReadVarint(payload, pos, statePath);
        each.Exists = true;
        if (each.Generation >= nextGeneration)
            throw EDamagedFile("Saved file \"" + statePath + "\" is damaged: a file from the future");
    }
    for (std::size_t i = 0; i < saved.size(); ++i) {
        auto list = std::make_unique<TKeyItems>();
        const std::string path = ListPath(static_cast<int>(i), saved[i].Generation);
        if (ReadListFile(path, *list) != saved[i].Checksum)
            throw EDamagedFile("Saved file \"" + path + "\" does not belong to the saved state");
        saved[i].Signature = SignatureOf(*list);
        state.Lists.push_back(std::move(list));
    }
    const std::uint64_t current = ReadVarint(payload, pos, statePath);
    if (current >= listCount)
        throw EDamagedFile("Saved file \"" + statePath + "\" is damaged: no such current list");
    state.Session.CurrentList = static_cast<int>(current);
    state.Session.Highlighted =
        ReadRuns(payload, pos, statePath, static_cast<std::uint64_t>(state.Lists[current]->Count()));
    if (pos != payload.size())
        throw EDamagedFile("Saved file \"" + statePath + "\" is damaged: unexpected bytes at its end");
    saved_ = std::move(saved);
    savedSession_ = state.Session;
    savedListCount_ = static_cast<int>(listCount);
    nextGeneration_ = nextGeneration;
    RemoveStrays();
    return state;
}

std::string TListStore::SetAside() {
    std::string aside = folder_ + ".corrupt";
    for (int n = 2; !Missing(aside); ++n)
        aside = folder_ + ".corrupt-" + std::to_string(n);
    if (std::rename(folder_.c_str(), aside.c_str()) != 0)
        return {};
    saved_.clear();
    savedSession_.reset();
    savedListCount_ = -1;
    return aside;
}

void TListStore::Forget() {
    Abandon();
    std::remove(StatePath().c_str());
    saved_.clear();
    savedSession_.reset();
    savedListCount_ = -1;
    RemoveStrays();
}

void TListStore::RemoveStrays() const {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder_, error)) {
        const std::string name = entry.path().filename().string();
        bool wanted = name == StateName;
        for (std::size_t i = 0; i < saved_.size() && !wanted; ++i)
            wanted = saved_[i].Exists &&
                     entry.path().string() == ListPath(static_cast<int>(i), saved_[i].Generation);
        if (!wanted && (name.starts_with(ListPrefix) || name == NewStateName))
            fs::remove(entry.path(), error);
    }
}

bool TListStore::Stage(int index, const TKeyItems& list, const std::atomic<bool>* giveUp) {
    if (saved_.size() <= static_cast<std::size_t>(index))
        saved_.resize(static_cast<std::size_t>(index) + 1);
    const TSaved& old = saved_[static_cast<std::size_t>(index)];
    TSaved fresh;
    fresh.Signature = SignatureOf(list);
    if (old.Exists && old.Signature == fresh.Signature && ListChecksum(list, giveUp) == old.Checksum)
        return false;
    std::error_code ignored;
    fs::create_directories(folder_, ignored);
    fresh.Generation = nextGeneration_++;
    fresh.Exists = true;
    const std::string path = ListPath(index, fresh.Generation);
    // A name past the saved generation can only be left from a save that never took effect.
    std::remove(path.c_str());
    try {
        fresh.Checksum = WriteListFile(path, list, giveUp);
    } catch (...) {
        std::remove(path.c_str());
        throw;
    }
    staged_.emplace_back(index, std::move(fresh));
    return true;
}

std::string TListStore::StatePayload(int listCount, const TKeptSession& session) const {
    std::string payload;
    AppendVarint(payload, nextGeneration_);
    AppendVarint(payload, static_cast<std::uint64_t>(listCount));
    for (int i = 0; i < listCount; ++i) {
        AppendVarint(payload, saved_[static_cast<std::size_t>(i)].Generation);
        AppendVarint(payload, saved_[static_cast<std::size_t>(i)].Checksum);
    }
    AppendVarint(payload, static_cast<std::uint64_t>(session.CurrentList));
    AppendRuns(payload, session.Highlighted);
    return payload;
}

void TListStore::Commit(int listCount, const TKeptSession& session) {
    if (staged_.empty() && savedSession_ == session && savedListCount_ == listCount)
        return;
    const std::vector<TSaved> previous = saved_;
    const std::string newState = folder_ + "/" + NewStateName;
    try {
        for (const auto& [index, fresh] : staged_) {
            SyncPath(ListPath(index, fresh.Generation), false);
            saved_[static_cast<std::size_t>(index)] = fresh;
        }
        if (listCount <= 0 || saved_.size() < static_cast<std::size_t>(listCount))
            throw Exception("Not every list was written before the save");
        for (int i = 0; i < listCount; ++i)
            if (!saved_[static_cast<std::size_t>(i)].Exists)
                throw Exception("Not every list was written before the save");
        std::error_code ignored;
        fs::create_directories(folder_, ignored);
        std::remove(newState.c_str());
        WriteRecordFile(newState, StatePayload(listCount, session));
        SyncPath(newState, false);
        if (std::rename(newState.c_str(), StatePath().c_str()) != 0)
            RaiseInOutError("rename", newState, errno);
    } catch (...) {
        saved_ = previous;
        std::remove(newState.c_str());
        Abandon();
        throw;
    }
    staged_.clear();
    saved_.resize(static_cast<std::size_t>(listCount));
    savedSession_ = session;
    savedListCount_ = listCount;
    try {
        SyncPath(folder_, true);
    } catch (...) {
        // The rename took effect for this process; the folder's own flush only narrows the window of a
        // power failure, and the next save flushes it again.
    }
    for (std::size_t i = 0; i < previous.size(); ++i)
        if (previous[i].Exists && (i >= saved_.size() || previous[i].Generation != saved_[i].Generation))
            std::remove(ListPath(static_cast<int>(i), previous[i].Generation).c_str());
}

void TListStore::Abandon() {
    for (const auto& [index, fresh] : staged_)
        std::remove(ListPath(index, fresh.Generation).c_str());
    staged_.clear();
}
