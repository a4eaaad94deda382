#pragma once

#include "core/Simd16.h"

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Finds many patterns in one pass over a text (Aho-Corasick). Every text byte is mapped through a fold table
// (for example the locale's upper case) before it is compared; patterns are compared as given, so they must
// be folded already. Empty patterns never match.
class TMultiPatternSearch {
public:
    using TFold = std::array<std::uint8_t, 256>;

    // Transition rows of the first (shallowest) states take at most maxDenseCells cells; deeper states keep
    // sparse edges and failure links, so that a huge pattern list cannot blow the table up. The default,
    // 64 MB, holds a list of some 100,000 terms entirely.
    static constexpr std::size_t DefaultDenseCells = std::size_t{1} << 24;

    TMultiPatternSearch(const std::vector<std::string>& patterns, const TFold& fold,
                        std::size_t maxDenseCells = DefaultDenseCells);

    bool Empty() const { return minPattern_ < 0; }
    std::size_t MaxPatternLength() const { return maxLength_; }
    // Some pattern is a prefix of the folded text.
    bool StartsWithAny(std::string_view text) const;
    // Some pattern occurs in the folded text.
    bool ContainsAny(std::string_view text) const;
    // The smallest index of a pattern that occurs in the folded text; -1 when none does.
    int FirstPatternIn(std::string_view text) const;
    // Calls visit(patternIndex, start) for every occurrence (start 0-based), in order of their ends, until
    // visit returns true; returns whether it did. Equal patterns are reported once, by their smallest index.
    template <class TVisit> bool AnyOccurrence(std::string_view text, TVisit&& visit) const;

private:
    static constexpr std::uint32_t OutputFlag = 0x80000000u;
    static constexpr std::uint32_t StateMask = 0x7FFFFFFFu;
    static constexpr std::uint32_t NoState = StateMask;

    struct TEdge {
        std::uint8_t Class;
        std::uint32_t Target;
    };

    std::uint8_t ClassOf(char c) const { return class_[static_cast<std::uint8_t>(c)]; }
    // How the places where a pattern may begin in a text are found, chosen once for the text: by pairs of
    // bytes, by the anchors sixteen places at a time (they are placed, and the text holds no byte of the
    // guard), or, for a text of at most 64 bytes, from a mask of them made at once.
    struct TRootSkip {
        enum class TKind : std::uint8_t { Pairs, Anchors, Mask } Kind;
        std::uint64_t Places = 0;
    };
    TRootSkip RootSkip(std::string_view text) const;
    // The first position from i on where a pattern may begin: most positions of a text begin none, and
    // skipping them needs no state. Pairs of bytes rather than single ones, because in most scripts beyond
    // ASCII every character begins with one of a few lead bytes.
    std::size_t SkipAtRoot(std::string_view text, std::size_t i, const TRootSkip& skip) const {
#ifdef __SSE2__
        if (skip.Kind == TRootSkip::TKind::Mask) {
            const std::uint64_t rest = i < 64 ? skip.Places >> i << i : 0;
            return rest != 0 ? static_cast<std::size_t>(std::countr_zero(rest)) : text.size();
        }
        if (skip.Kind == TRootSkip::TKind::Anchors)
            return SkipByAnchors(text, i);
#endif
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
        for (; i + 1 < text.size(); ++i) {
            const unsigned pair = (unsigned{bytes[i]} << 8) | bytes[i + 1];
            if (beginsPair_[pair >> 6] & (std::uint64_t{1} << (pair & 63)))
                return i;
        }
        return i < text.size() && leavesRoot_[bytes[i]] ? i : text.size();
    }
#ifdef __SSE2__
    bool HoldsGuard(std::string_view text) const;
    // SkipAtRoot sixteen places at a time, by the bytes at the anchors.
    std::size_t SkipByAnchors(std::string_view text, std::size_t i) const;
    // The mask of a short text's places, or pairs where it holds the guard.
    template <std::size_t Chunks, class TBits>
    TRootSkip MaskOfPlaces(const std::uint8_t* bytes, std::size_t size) const;
#endif
    // The state after reading one byte class; carries OutputFlag when some pattern ends there.
    std::uint32_t Next(std::uint32_t state, std::uint8_t cls) const {
        while (state >= denseStates_) {
            const std::uint32_t child = SparseChild(state, cls);
            if (child != NoState)
                return child;
            state = fail_[state];
        }
        return dense_[static_cast<std::size_t>(state) * classes_ + cls];
    }
    // The trie child of a state by a class, without failure transitions; NoState when there is none.
    std::uint32_t Child(std::uint32_t state, std::uint8_t cls) const;
    std::uint32_t SparseChild(std::uint32_t state, std::uint8_t cls) const;

    void Build(const std::vector<std::string>& patterns, const TFold& fold, std::size_t maxDenseCells);
    void PlaceAnchors(const std::vector<std::string>& patterns, const TFold& patternClass);
    void FillLanes();

    // An offset into every pattern and the few text bytes that some pattern admits there. Two anchors, the
    // second one as far in as the shortest pattern allows, tell where a pattern may begin in one test of
    // sixteen places; a few patterns (a term's case variants) have few bytes at each offset. Longer patterns
    // hold rare spellings as a rule (ſ for s, ᲂ for о), which would shift the bytes at every offset: the
    // anchors are placed in the shortest patterns alone where a guard, a few bytes of which each longer one
    // holds one and no shortest one any, tells the texts that may hold a longer one.
    struct TAnchor {
        std::size_t Offset = 0;
        // 0: no anchors, the places are judged by beginsPair_.
        std::size_t Count = 0;
        // Unused ones repeat the first.
        std::array<std::uint8_t, 4> Bytes{};
    };
    // The text bytes whose classes are marked, if they are few.
    std::optional<TAnchor> Admitted(const std::array<bool, 256>& classes, std::size_t offset) const;

    TFold class_{};
    std::array<bool, 256> leavesRoot_{};
    // Bit b0 * 256 + b1: a pattern begins with byte b0 and then b1, or is b0 alone.
    std::array<std::uint64_t, 1024> beginsPair_{};
    std::array<TAnchor, 2> anchors_{};
    // Offset unused; Count 0: no guard.
    TAnchor guard_;
#ifdef __SSE2__
    // The bytes of the anchors and of the guard, each in every lane, made once rather than for every text.
    __m128i anchorLanes_[8];
    __m128i guardLanes_[4];
#endif
    std::uint32_t classes_ = 1;
    std::uint32_t denseStates_ = 1;
    std::vector<std::uint32_t> dense_;
    std::vector<std::uint32_t> edgeStart_;
    std::vector<TEdge> edges_;
    std::vector<std::uint32_t> fail_;
    std::vector<std::uint32_t> depth_;
    // Smallest pattern index ending exactly at the state, or -1.
    std::vector<std::int32_t> own_;
    // Smallest pattern index ending at the state or at one of its suffix states, or -1.
    std::vector<std::int32_t> firstOut_;
    // The nearest proper suffix state where a pattern ends, or NoState.
    std::vector<std::uint32_t> outLink_;
    std::int32_t minPattern_ = -1;
    std::size_t maxLength_ = 0;
};

template <class TVisit> bool TMultiPatternSearch::AnyOccurrence(std::string_view text, TVisit&& visit) const {
    const TRootSkip skip = RootSkip(text);
    std::uint32_t state = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((state & StateMask) == 0 && (i = SkipAtRoot(text, i, skip)) == text.size())
            break;
        state = Next(state & StateMask, ClassOf(text[i]));
        if (!(state & OutputFlag))
            continue;
        std::uint32_t s = state & StateMask;
        if (own_[s] < 0)
            s = outLink_[s];
        for (; s != NoState; s = outLink_[s])
            if (visit(static_cast<int>(own_[s]), i + 1 - depth_[s]))
                return true;
    }
    return false;
}
