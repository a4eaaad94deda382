#include "core/MultiPatternSearch.h"

#include "core/Exceptions.h"
#include "core/Simd16.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace {

// Past this many patterns, their bytes at an offset are too many for anchors to pay.
constexpr std::size_t MaxAnchoredPatterns = 512;

struct TTrieNode {
    std::vector<std::pair<std::uint8_t, std::uint32_t>> Children;
    std::int32_t Own = -1;
    std::uint32_t Depth = 0;
};

std::uint32_t ChildOf(const std::vector<TTrieNode>& nodes, std::uint32_t node, std::uint8_t cls) {
    for (const auto& [c, child] : nodes[node].Children)
        if (c == cls)
            return child;
    return UINT32_MAX;
}

} // namespace

TMultiPatternSearch::TMultiPatternSearch(const std::vector<std::string>& patterns, const TFold& fold,
                                         std::size_t maxDenseCells) {
    Build(patterns, fold, maxDenseCells);
}

void TMultiPatternSearch::Build(const std::vector<std::string>& patterns, const TFold& fold,
                                std::size_t maxDenseCells) {
    // Only bytes that occur in some pattern need a class of their own; all others share class 0.
    std::array<bool, 256> used{};
    for (const auto& p : patterns) {
        maxLength_ = std::max(maxLength_, p.size());
        for (char c : p)
            used[static_cast<std::uint8_t>(c)] = true;
    }
    const bool anyUnused = std::find(used.begin(), used.end(), false) != used.end();
    TFold patternClass{};
    std::uint32_t next = anyUnused ? 1 : 0;
    for (int b = 0; b < 256; ++b)
        if (used[b])
            patternClass[b] = static_cast<std::uint8_t>(next++);
    classes_ = std::max<std::uint32_t>(next, 1);
    for (int b = 0; b < 256; ++b)
        class_[b] = patternClass[fold[b]];

    std::vector<TTrieNode> nodes(1);
    for (std::size_t index = 0; index < patterns.size(); ++index) {
        const std::string& p = patterns[index];
        if (p.empty())
            continue;
        std::uint32_t node = 0;
        for (char c : p) {
            const std::uint8_t cls = patternClass[static_cast<std::uint8_t>(c)];
            std::uint32_t child = ChildOf(nodes, node, cls);
            if (child == UINT32_MAX) {
                if (nodes.size() >= NoState)
                    throw Exception("Too many search terms");
                child = static_cast<std::uint32_t>(nodes.size());
                nodes[node].Children.emplace_back(cls, child);
                TTrieNode fresh;
                fresh.Depth = nodes[node].Depth + 1;
                nodes.push_back(std::move(fresh));
            }
            node = child;
        }
        if (nodes[node].Own < 0)
            nodes[node].Own = static_cast<std::int32_t>(index);
        if (minPattern_ < 0)
            minPattern_ = static_cast<std::int32_t>(index);
    }

    // Renumber breadth first: a failure link then always points to a smaller number, and the shallow states
    // that a scan visits most often come first.
    const std::size_t n = nodes.size();
    std::vector<std::uint32_t> order{0};
    std::vector<std::uint32_t> newId(n, 0);
    std::vector<std::uint32_t> failOld(n, 0);
    order.reserve(n);
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::uint32_t u = order[k];
        auto& children = nodes[u].Children;
        std::sort(children.begin(), children.end());
        for (const auto& [cls, v] : children) {
            newId[v] = static_cast<std::uint32_t>(order.size());
            order.push_back(v);
            std::uint32_t f = failOld[u];
            std::uint32_t target = 0;
            while (u != 0) {
                const std::uint32_t w = ChildOf(nodes, f, cls);
                if (w != UINT32_MAX) {
                    target = w;
                    break;
                }
                if (f == 0)
                    break;
                f = failOld[f];
            }
            failOld[v] = target;
        }
    }

    depth_.resize(n);
    own_.resize(n);
    fail_.resize(n);
    firstOut_.resize(n);
    outLink_.resize(n);
    edgeStart_.assign(n + 1, 0);
    for (std::uint32_t id = 0; id < n; ++id) {
        const TTrieNode& node = nodes[order[id]];
        depth_[id] = node.Depth;
        own_[id] = node.Own;
        fail_[id] = newId[failOld[order[id]]];
        const std::uint32_t f = fail_[id];
        firstOut_[id] = node.Own;
        outLink_[id] = NoState;
        if (id != 0) {
            if (firstOut_[f] >= 0 && (firstOut_[id] < 0 || firstOut_[f] < firstOut_[id]))
                firstOut_[id] = firstOut_[f];
            outLink_[id] = own_[f] >= 0 ? f : outLink_[f];
        }
    }
    const auto flagged = [&](std::uint32_t id) { return firstOut_[id] >= 0 ? (id | OutputFlag) : id; };
    for (std::uint32_t id = 0; id < n; ++id) {
        for (const auto& [cls, v] : nodes[order[id]].Children)
            edges_.push_back({cls, flagged(newId[v])});
        edgeStart_[id + 1] = static_cast<std::uint32_t>(edges_.size());
    }

    denseStates_ = static_cast<std::uint32_t>(std::clamp<std::size_t>(maxDenseCells / classes_, 1, n));
    dense_.assign(static_cast<std::size_t>(denseStates_) * classes_, 0);
    for (std::uint32_t id = 0; id < denseStates_; ++id) {
        std::uint32_t* row = dense_.data() + static_cast<std::size_t>(id) * classes_;
        if (id != 0)
            std::copy_n(dense_.data() + static_cast<std::size_t>(fail_[id]) * classes_, classes_, row);
        for (std::uint32_t e = edgeStart_[id]; e < edgeStart_[id + 1]; ++e)
            row[edges_[e].Class] = edges_[e].Target;
    }
    PlaceAnchors(patterns, patternClass);
    FillLanes();
    for (int b = 0; b < 256; ++b)
        leavesRoot_[b] = dense_[class_[b]] != 0;
    for (unsigned b0 = 0; b0 < 256; ++b0) {
        const std::uint32_t first = Child(0, class_[b0]);
        if (first == NoState)
            continue;
        for (unsigned b1 = 0; b1 < 256; ++b1)
            if (own_[first] >= 0 || Child(first, class_[b1]) != NoState) {
                const unsigned pair = (b0 << 8) | b1;
                beginsPair_[pair >> 6] |= std::uint64_t{1} << (pair & 63);
            }
    }
}

std::optional<TMultiPatternSearch::TAnchor>
TMultiPatternSearch::Admitted(const std::array<bool, 256>& classes, std::size_t offset) const {
    TAnchor anchor{offset, 0, {}};
    for (unsigned b = 0; b < 256; ++b)
        if (classes[class_[b]]) {
            if (anchor.Count == anchor.Bytes.size())
                return std::nullopt;
            anchor.Bytes[anchor.Count++] = static_cast<std::uint8_t>(b);
        }
    if (anchor.Count == 0)
        return std::nullopt;
    std::fill(anchor.Bytes.begin() + static_cast<std::ptrdiff_t>(anchor.Count), anchor.Bytes.end(),
              anchor.Bytes[0]);
    return anchor;
}

void TMultiPatternSearch::PlaceAnchors(const std::vector<std::string>& patterns, const TFold& patternClass) {
    std::size_t shortest = SIZE_MAX;
    for (const auto& p : patterns)
        if (!p.empty())
            shortest = std::min(shortest, p.size());
    if (shortest == SIZE_MAX || patterns.size() > MaxAnchoredPatterns)
        return;
    const auto classOf = [&](char c) { return patternClass[static_cast<std::uint8_t>(c)]; };
    std::array<bool, 256> inShortest{};
    for (const auto& p : patterns)
        if (p.size() == shortest)
            for (const char c : p)
                inShortest[classOf(c)] = true;
    // Each longer pattern's first byte that no shortest one has.
    std::array<bool, 256> guarded{};
    bool guardable = true;
    for (const auto& p : patterns)
        if (p.size() > shortest) {
            const auto own =
                std::find_if(p.begin(), p.end(), [&](char c) { return !inShortest[classOf(c)]; });
            guardable = guardable && own != p.end();
            if (own != p.end())
                guarded[classOf(*own)] = true;
        }
    // None where no pattern is longer.
    const std::optional<TAnchor> guard = guardable ? Admitted(guarded, 0) : std::nullopt;
    // The text bytes that some anchored pattern admits at each offset, where they are few.
    std::vector<std::optional<TAnchor>> usable(shortest);
    for (std::size_t offset = 0; offset < shortest; ++offset) {
        std::array<bool, 256> classes{};
        for (const auto& p : patterns)
            if (!p.empty() && (p.size() == shortest || !guard))
                classes[classOf(p[offset])] = true;
        usable[offset] = Admitted(classes, offset);
    }
    // The far anchor as far in as possible; the near one where text bytes seldom stand: fewest bytes, and
    // neither a space nor a byte that leads a character beyond ASCII, which in most scripts is one of few.
    const auto common = [](const TAnchor& anchor) {
        return std::any_of(anchor.Bytes.begin(), anchor.Bytes.end(),
                           [](std::uint8_t b) { return b == ' ' || b >= 0xC0; });
    };
    const auto far =
        std::find_if(usable.rbegin(), usable.rend(), [](const auto& a) { return a.has_value(); });
    if (far == usable.rend())
        return;
    anchors_ = {**far, **far};
    std::size_t best = SIZE_MAX;
    for (auto near = std::next(far); near != usable.rend(); ++near)
        if (*near) {
            const std::size_t score = (common(**near) ? anchors_[0].Bytes.size() + 1 : 0) + (*near)->Count;
            if (score <= best) {
                best = score;
                anchors_[0] = **near;
            }
        }
    if (guard)
        guard_ = *guard;
}

void TMultiPatternSearch::FillLanes() {
#ifdef __SSE2__
    for (std::size_t k = 0; k < 4; ++k) {
        anchorLanes_[k] = _mm_set1_epi8(static_cast<char>(anchors_[0].Bytes[k]));
        anchorLanes_[4 + k] = _mm_set1_epi8(static_cast<char>(anchors_[1].Bytes[k]));
        guardLanes_[k] = _mm_set1_epi8(static_cast<char>(guard_.Bytes[k]));
    }
#endif
}

#ifdef __SSE2__
bool TMultiPatternSearch::HoldsGuard(std::string_view text) const {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t size = text.size();
    unsigned held = 0;
    for (std::size_t i = 0; i < size; i += 16)
        held |=
            Simd16::EqualsAny(Simd16::Load16(bytes + i, size - i), guardLanes_) & Simd16::LowMask(size - i);
    return held != 0;
}

std::size_t TMultiPatternSearch::SkipByAnchors(std::string_view text, std::size_t i) const {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t size = text.size();
    const std::size_t near = anchors_[0].Offset;
    const std::size_t far = anchors_[1].Offset;
    // A pattern that begins at a place ends in the text, so none begins from size - far on.
    if (i + far >= size)
        return size;
    const std::size_t starts = size - far;
    for (; i < starts; i += 16) {
        const unsigned places =
            Simd16::EqualsAny(Simd16::Load16(bytes + i + near, size - i - near), anchorLanes_) &
            Simd16::EqualsAny(Simd16::Load16(bytes + i + far, size - i - far), anchorLanes_ + 4) &
            Simd16::LowMask(starts - i);
        if (places != 0)
            return i + static_cast<std::size_t>(std::countr_zero(places));
    }
    return size;
}

template <std::size_t Chunks, class TBits>
TMultiPatternSearch::TRootSkip TMultiPatternSearch::MaskOfPlaces(const std::uint8_t* bytes,
                                                                 std::size_t size) const {
    const Simd16::TChunks<Chunks, TBits> chunks(bytes, size);
    const auto bytesOf = [&chunks](const __m128i* lanes) {
        return chunks.Of([lanes](__m128i chunk) { return Simd16::EqualsAny(chunk, lanes); });
    };
    if (guard_.Count != 0 && bytesOf(guardLanes_) != 0)
        return {TRootSkip::TKind::Pairs};
    const std::size_t near = anchors_[0].Offset;
    const std::size_t far = anchors_[1].Offset;
    // A pattern that begins at a place ends in the text, so none begins from size - far on.
    if (far >= size)
        return {TRootSkip::TKind::Mask};
    return {TRootSkip::TKind::Mask, (bytesOf(anchorLanes_) >> near) & (bytesOf(anchorLanes_ + 4) >> far) &
                                        Simd16::LowMask64(size - far)};
}
#endif

std::uint32_t TMultiPatternSearch::SparseChild(std::uint32_t state, std::uint8_t cls) const {
    const TEdge* first = edges_.data() + edgeStart_[state];
    const TEdge* last = edges_.data() + edgeStart_[state + 1];
    const TEdge* found =
        std::lower_bound(first, last, cls, [](const TEdge& e, std::uint8_t c) { return e.Class < c; });
    return found != last && found->Class == cls ? found->Target : NoState;
}

std::uint32_t TMultiPatternSearch::Child(std::uint32_t state, std::uint8_t cls) const {
    const std::uint32_t child = SparseChild(state, cls);
    return child == NoState ? NoState : child & StateMask;
}

bool TMultiPatternSearch::StartsWithAny(std::string_view text) const {
    std::uint32_t state = 0;
    const std::size_t n = std::min(text.size(), maxLength_);
    for (std::size_t i = 0; i < n; ++i) {
        state = Child(state, ClassOf(text[i]));
        if (state == NoState)
            return false;
        if (own_[state] >= 0)
            return true;
    }
    return false;
}

TMultiPatternSearch::TRootSkip TMultiPatternSearch::RootSkip(std::string_view text) const {
#ifdef __SSE2__
    if (anchors_[0].Count != 0) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
        if (text.empty())
            return {TRootSkip::TKind::Mask};
        if (text.size() <= 32)
            return MaskOfPlaces<2, std::uint32_t>(bytes, text.size());
        if (text.size() <= 64)
            return MaskOfPlaces<4, std::uint64_t>(bytes, text.size());
        if (guard_.Count == 0 || !HoldsGuard(text))
            return {TRootSkip::TKind::Anchors};
    }
#else
    static_cast<void>(text);
#endif
    return {TRootSkip::TKind::Pairs};
}

bool TMultiPatternSearch::ContainsAny(std::string_view text) const {
    const TRootSkip skip = RootSkip(text);
    std::uint32_t state = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (state == 0 && (i = SkipAtRoot(text, i, skip)) == text.size())
            break;
        state = Next(state & StateMask, ClassOf(text[i]));
        if (state & OutputFlag)
            return true;
    }
    return false;
}

int TMultiPatternSearch::FirstPatternIn(std::string_view text) const {
    std::int32_t best = -1;
    const TRootSkip skip = RootSkip(text);
    std::uint32_t state = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((state & StateMask) == 0 && (i = SkipAtRoot(text, i, skip)) == text.size())
            break;
        state = Next(state & StateMask, ClassOf(text[i]));
        if (!(state & OutputFlag))
            continue;
        const std::int32_t found = firstOut_[state & StateMask];
        if (best < 0 || found < best) {
            best = found;
            if (best == minPattern_)
                break;
        }
    }
    return best;
}
