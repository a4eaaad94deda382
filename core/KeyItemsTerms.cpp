#include "core/CaseFolding.h"
#include "core/CheckpointTrail.h"
#include "core/KeyItems.h"
#include "core/RewriteEntries.h"
#include "core/TermSearch.h"
#include "core/Utf8.h"

namespace {

// Removes every non-overlapping occurrence of pattern, found left to right in folded, from both folded and
// text (folded is text's ASCII lower case, so the two stay aligned byte for byte).
void RemoveAsciiOccurrences(std::string& text, std::string& folded, std::string_view pattern) {
    std::size_t at = folded.find(pattern);
    if (pattern.empty() || at == std::string::npos)
        return;
    std::size_t write = at;
    std::size_t read = at;
    while (at != std::string::npos) {
        for (; read < at; ++read, ++write) {
            text[write] = text[read];
            folded[write] = folded[read];
        }
        read += pattern.size();
        at = folded.find(pattern, read);
    }
    for (; read < text.size(); ++read, ++write) {
        text[write] = text[read];
        folded[write] = folded[read];
    }
    text.resize(write);
    folded.resize(write);
}

// The same for any text: folding keeps one character for one, so each byte of the folded text knows
// where its character starts in text, and an occurrence, which starts and ends between characters, cuts
// text there.
class TFoldedRemover {
public:
    void Remove(std::string& text, std::string_view pattern) {
        Fold(text);
        std::size_t at = folded_.find(pattern);
        if (pattern.empty() || at == std::string::npos)
            return;
        result_.clear();
        std::size_t from = 0;
        while (at != std::string::npos) {
            result_.append(text, sourceAt_[from], sourceAt_[at] - sourceAt_[from]);
            from = at + pattern.size();
            at = folded_.find(pattern, from);
        }
        result_.append(text, sourceAt_[from]);
        text.swap(result_);
    }

private:
    void Fold(std::string_view text) {
        folded_.clear();
        sourceAt_.clear();
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t start = i;
            Utf8::Append(FoldChar(Utf8::Next(text, i)), folded_);
            sourceAt_.resize(folded_.size(), start);
        }
        sourceAt_.push_back(text.size());
    }

    std::string folded_;
    std::vector<std::size_t> sourceAt_;
    std::string result_;
};

} // namespace

void TKeyItems::RemoveTerms(const std::vector<std::string>& terms) {
    CheckpointScope checkpoint("d067");
    // Terms before the first one that occurs in an entry change nothing, so one scan for all terms finds
    // where the term-by-term removal has to start, and skips most entries altogether.
    const TTermSearch search(terms);
    if (search.Empty())
        return;
    std::string folded;
    TFoldedRemover remover;
    RewriteEntries(*this, [&](std::string_view text, std::string& out) {
        out.assign(text);
        const int first = search.FirstTermIn(search.Searchable(text, folded));
        if (first < 0)
            return;
        if (!FoldsAsAscii(text)) {
            for (int t = first; t < static_cast<int>(terms.size()); ++t)
                remover.Remove(out, search.FoldedTerm(t));
            return;
        }
        folded.assign(text);
        for (auto& c : folded)
            c = FoldAsciiByte(c);
        for (int t = first; t < static_cast<int>(terms.size()); ++t)
            RemoveAsciiOccurrences(out, folded, search.FoldedTerm(t));
    });
}
