#pragma once

#include "core/RowRuns.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TKeyItems;

// What the window showed besides the lists: the current list and its highlighted rows, as ascending runs
// that neither touch nor overlap.
struct TKeptSession {
    int CurrentList = 0;
    std::vector<TRowRun> Highlighted;
    bool operator==(const TKeptSession&) const = default;
};

struct TKeptState {
    std::vector<std::unique_ptr<TKeyItems>> Lists;
    TKeptSession Session;
};

// The keyword lists kept between runs, in one folder: a file per list under a name never used before, and a
// state file naming those files, the current list and its highlighted rows. Renaming a new state file into
// place is the one moment a save takes effect, so whenever the process dies the folder holds the previous
// save or the new one, never a mix. Used by one thread at a time.
class TListStore {
public:
    explicit TListStore(std::string folder);
    TListStore(const TListStore&) = delete;
    TListStore& operator=(const TListStore&) = delete;
    ~TListStore();

    const std::string& Folder() const { return folder_; }
    // Makes this process the folder's only user until the store is destroyed; false when another running
    // program uses it already.
    bool Claim();

    // The saved state; nothing when nothing was saved. Raises when it is damaged or unreadable. Files of
    // saves that never took effect are removed.
    std::optional<TKeptState> Load();
    // Renames the folder aside for the user to look at and answers its new path, empty when that failed.
    std::string SetAside();
    // Removes every saved file; the next save writes all lists.
    void Forget();

    // Writes list index to a new file unless it holds what was saved last: a list whose size, name and
    // sort order are as saved is compared by checksum. Answers whether it wrote. Raises ECancelled soon
    // after giveUp turns true, leaving nothing of this list staged.
    bool Stage(int index, const TKeyItems& list, const std::atomic<bool>* giveUp = nullptr);
    // Makes the staged lists and the session the saved state (flushed to disk), or, when that fails, drops
    // the staged files and raises, leaving the previous save in effect.
    void Commit(int listCount, const TKeptSession& session);
    // Drops what was staged since the last commit.
    void Abandon();

private:
    struct TSignature {
        std::int64_t Count = -1;
        std::uint64_t TextBytes = 0;
        std::uint8_t SortOrder = 0;
        std::string Name;
        bool operator==(const TSignature&) const = default;
    };
    struct TSaved {
        std::uint64_t Generation = 0;
        std::uint64_t Checksum = 0;
        TSignature Signature;
        bool Exists = false;
    };

    static TSignature SignatureOf(const TKeyItems& list);
    std::string ListPath(int index, std::uint64_t generation) const;
    std::string StatePath() const;
    std::string StatePayload(int listCount, const TKeptSession& session) const;
    void RemoveStrays() const;

    std::string folder_;
    std::vector<TSaved> saved_;
    std::vector<std::pair<int, TSaved>> staged_;
    std::optional<TKeptSession> savedSession_;
    int savedListCount_ = -1;
    std::uint64_t nextGeneration_ = 1;
    int claim_ = -1;
};
