#include "core/WordFrequency.h"

#include "core/CaseFolding.h"
#include "core/Progress.h"
#include "core/TwoThreads.h"
#include "core/WholeWordSearch.h"
#include "core/WordScan.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Folded texts with the number of entries holding each.
class TCounts {
public:
    TCounts() : slots_(1024, Empty), mask_(slots_.size() - 1) {}

    // Eight bytes at a time: keys are short words and phrases, and the table takes the high half of a hash
    // as the tag of its slot and the low bits as the slot, so both must be mixed well.
    static std::uint64_t Hash(std::string_view key) {
        std::uint64_t hash = 0x9E3779B97F4A7C15ULL ^ key.size();
        std::size_t i = 0;
        for (; i + 8 <= key.size(); i += 8) {
            std::uint64_t word;
            std::memcpy(&word, key.data() + i, 8);
            hash = (hash ^ word) * 0xBF58476D1CE4E5B9ULL;
            hash ^= hash >> 31;
        }
        std::uint64_t tail = 0;
        std::memcpy(&tail, key.data() + i, key.size() - i);
        hash = (hash ^ tail) * 0x94D049BB133111EBULL;
        hash ^= hash >> 29;
        hash *= 0xBF58476D1CE4E5B9ULL;
        return hash ^ (hash >> 32);
    }

    void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }

    // Counts the key for the entry unless the entry counted it already.
    void Add(std::string_view key, std::uint64_t hash, int entry, int times = 1) {
        std::size_t slot = hash & mask_;
        for (;; slot = (slot + 1) & mask_) {
            const std::uint64_t occupant = slots_[slot];
            if (occupant == Empty)
                break;
            if ((occupant ^ hash) >> 32 != 0)
                continue;
            TRecord& record = records_[occupant & 0xFFFFFFFF];
            if (record.Hash == hash && Key(record) == key) {
                if (record.Last != entry || entry < 0)
                    record.Count += times;
                record.Last = entry;
                return;
            }
        }
        slots_[slot] = SlotOf(hash, records_.size());
        records_.push_back({hash, keys_.size(), key.size(), times, entry});
        keys_.append(key);
        if (records_.size() > slots_.size() / 2)
            Grow();
    }

    // Adds the counts of other, whose entries are others than this one's.
    void Merge(const TCounts& other) {
        for (const TRecord& record : other.records_)
            Add(other.Key(record), record.Hash, -1, record.Count);
    }

    std::vector<TWordCount> Sorted() const {
        std::vector<TWordCount> counts;
        counts.reserve(records_.size());
        for (const TRecord& record : records_)
            counts.push_back({std::string(Key(record)), record.Count});
        std::sort(counts.begin(), counts.end(), [](const TWordCount& a, const TWordCount& b) {
            return a.Entries != b.Entries ? a.Entries > b.Entries : a.Text < b.Text;
        });
        return counts;
    }

private:
    // A slot holds a record's index and the high half of its hash, so that most slots of other records are
    // passed over without reading the record.
    static constexpr std::uint64_t Empty = ~std::uint64_t{0};
    static std::uint64_t SlotOf(std::uint64_t hash, std::size_t record) {
        return (hash & ~0xFFFFFFFFULL) | record;
    }

    struct TRecord {
        std::uint64_t Hash;
        std::size_t Offset;
        std::size_t Length;
        int Count;
        int Last;
    };

    std::string_view Key(const TRecord& record) const {
        return std::string_view(keys_).substr(record.Offset, record.Length);
    }

    void Grow() {
        std::vector<std::uint64_t>(slots_.size() * 2, Empty).swap(slots_);
        mask_ = slots_.size() - 1;
        for (std::size_t k = 0; k < records_.size(); ++k) {
            std::size_t slot = records_[k].Hash & mask_;
            while (slots_[slot] != Empty)
                slot = (slot + 1) & mask_;
            slots_[slot] = SlotOf(records_[k].Hash, k);
        }
    }

    std::vector<std::uint64_t> slots_;
    std::size_t mask_;
    std::vector<TRecord> records_;
    std::string keys_;
};

struct TWord {
    std::string_view Text;
    // Words of one run follow one another with nothing but blanks between them.
    int Run;
};

// IsWordChar of the character at a byte, answered inline for ASCII: it is asked at both ends of every word.
bool WordCharAt(std::string_view word, std::size_t at) {
    const auto byte = static_cast<std::uint8_t>(word[at]);
    if (byte < 0x80)
        return (byte >= '0' && byte <= '9') || ((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z');
    return IsWordChar(Utf8::Next(word, at));
}

// The folded text's words with the characters that are no word characters cut off their ends.
void CutWords(std::string_view folded, std::vector<TWord>& words) {
    words.clear();
    int run = 0;
    ForEachWord(folded, [&](std::string_view word) {
        std::size_t start = 0;
        while (start < word.size() && !WordCharAt(word, start))
            Utf8::Next(word, start);
        std::size_t end = word.size();
        while (end > start) {
            const std::size_t previous = Utf8::PreviousStart(word, end);
            if (WordCharAt(word, previous))
                break;
            end = previous;
        }
        if (start > 0 || end == start)
            ++run;
        if (end > start)
            words.push_back({word.substr(start, end - start), run});
        if (end < word.size())
            ++run;
    });
}

// Counts the words and phrases of entries in batches: the table slots of a whole batch are asked for before
// any is read, so that on a large table their cache misses overlap instead of following one another.
class TCounter {
public:
    TCounter(TCounts& counts, int minWords, int maxWords)
        : counts_(counts), minWords_(static_cast<std::size_t>(minWords)),
          maxWords_(static_cast<std::size_t>(maxWords)) {}

    void Entry(std::string_view text, int entry) {
        folded_.clear();
        if (FoldsAsAscii(text)) {
            folded_.resize(text.size());
            std::transform(text.begin(), text.end(), folded_.begin(), FoldAsciiByte);
        } else {
            AppendFolded(text, folded_);
        }
        CutWords(folded_, words_);
        for (std::size_t i = 0; i < words_.size(); ++i) {
            const std::size_t start = keys_.size();
            keys_.append(words_[i].Text);
            if (minWords_ <= 1)
                Pend(start, entry);
            for (std::size_t k = i + 1;
                 k < words_.size() && k - i < maxWords_ && words_[k].Run == words_[i].Run; ++k) {
                // The phrase continues the previous key.
                keys_ += ' ';
                keys_.append(words_[k].Text);
                if (k - i + 1 >= minWords_)
                    Pend(start, entry);
            }
        }
        if (pending_.size() >= Batch || keys_.size() >= BatchBytes)
            Flush();
    }

    void Flush() {
        for (const auto& key : pending_)
            counts_.Prefetch(key.Hash);
        for (const auto& key : pending_)
            counts_.Add(std::string_view(keys_).substr(key.Offset, key.Length), key.Hash, key.Entry);
        pending_.clear();
        keys_.clear();
    }

private:
    static constexpr std::size_t Batch = 256;
    // Runs too short to count still pass through keys_.
    static constexpr std::size_t BatchBytes = std::size_t{1} << 16;

    struct TPending {
        std::uint64_t Hash;
        std::size_t Offset;
        std::size_t Length;
        int Entry;
    };

    // The keys_ from start on as a key.
    void Pend(std::size_t start, int entry) {
        const std::string_view key = std::string_view(keys_).substr(start);
        pending_.push_back({TCounts::Hash(key), start, key.size(), entry});
    }

    TCounts& counts_;
    std::size_t minWords_;
    std::size_t maxWords_;
    std::string folded_;
    std::vector<TWord> words_;
    std::string keys_;
    std::vector<TPending> pending_;
};

} // namespace

std::vector<TWordCount> CountWordFrequencies(const TKeyItems& list, int maxWords, int minWords) {
    const auto count = static_cast<std::size_t>(list.Count());
    std::array<TCounts, 2> counts;
    ProgressBegin(count);
    InParts(count, [&](unsigned part, unsigned parts) {
        const auto [first, last] = PartRange(count, part, parts);
        TCounter counter(counts[part], minWords, maxWords);
        TProgressSteps steps;
        for (std::size_t i = first; i < last; ++i) {
            steps.Element();
            counter.Entry(list.GetKeyItem(static_cast<int>(i)).Text(), static_cast<int>(i));
        }
        counter.Flush();
    });
    counts[0].Merge(counts[1]);
    return counts[0].Sorted();
}
