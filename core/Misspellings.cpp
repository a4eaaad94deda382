#include "core/Misspellings.h"

#include "core/CheckpointTrail.h"
#include "core/KeyItems.h"
#include "core/KeyboardNeighbours.h"
#include "core/LetterClusters.h"
#include "core/Progress.h"
#include "core/Utf8.h"

namespace {

std::size_t Utf8Length(char32_t c) {
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

std::u32string_view NeighboursOf(const TCluster& cluster) {
    return cluster.Key != 0 ? KeyboardNeighbours(cluster.Key) : std::u32string_view();
}

// Adds the entries and bytes one phrase with its variants will add, without making them.
void CountVariants(std::string_view phrase, int kinds, TGrowth& growth) {
    const std::uint64_t n = phrase.size();
    growth.AddEntries(1, n);
    const std::vector<TCluster> clusters = LetterClusters(phrase);
    for (std::size_t k = 0; k < clusters.size(); ++k) {
        const TCluster& cluster = clusters[k];
        const std::uint64_t size = cluster.End - cluster.Start;
        if (cluster.LetterOrDigit) {
            if (kinds & DoubledChars)
                growth.AddEntries(1, n + size);
            if ((kinds & SwappedChars) && k + 1 < clusters.size())
                growth.AddEntries(1, n);
            if (kinds & MissingChars)
                growth.AddEntries(1, n - size);
        }
        if (kinds & QwertyErrors)
            for (char32_t neighbour : NeighboursOf(cluster))
                growth.AddEntries(1, n - size + Utf8Length(neighbour));
    }
}

std::string_view Part(std::string_view phrase, const TCluster& cluster) {
    return phrase.substr(cluster.Start, cluster.End - cluster.Start);
}

} // namespace

void DoubledCharVariants(std::string_view phrase, const TEmitText& emit) {
    std::string variant;
    for (const TCluster& cluster : LetterClusters(phrase)) {
        if (!cluster.LetterOrDigit)
            continue;
        variant.assign(phrase.substr(0, cluster.End)).append(phrase.substr(cluster.Start));
        emit(variant);
    }
}

void SwappedCharVariants(std::string_view phrase, const TEmitText& emit) {
    const std::vector<TCluster> clusters = LetterClusters(phrase);
    std::string variant;
    for (std::size_t k = 0; k + 1 < clusters.size(); ++k) {
        if (!clusters[k].LetterOrDigit)
            continue;
        variant.assign(phrase.substr(0, clusters[k].Start))
            .append(Part(phrase, clusters[k + 1]))
            .append(Part(phrase, clusters[k]))
            .append(phrase.substr(clusters[k + 1].End));
        emit(variant);
    }
}

void MissingCharVariants(std::string_view phrase, const TEmitText& emit) {
    std::string variant;
    for (const TCluster& cluster : LetterClusters(phrase)) {
        if (!cluster.LetterOrDigit)
            continue;
        variant.assign(phrase.substr(0, cluster.Start)).append(phrase.substr(cluster.End));
        emit(variant);
    }
}

void QwertyVariants(std::string_view phrase, const TEmitText& emit) {
    std::string variant;
    for (const TCluster& cluster : LetterClusters(phrase)) {
        for (char32_t neighbour : NeighboursOf(cluster)) {
            variant.assign(phrase.substr(0, cluster.Start));
            Utf8::Append(neighbour, variant);
            variant.append(phrase.substr(cluster.End));
            emit(variant);
        }
    }
}

void AddMisspellings(const std::vector<std::string>& phrases, int kinds, TKeyItems& target,
                     std::size_t memoryBudget) {
    CheckpointScope checkpoint("d132");
    TGrowth growth;
    for (const auto& p : phrases)
        CountVariants(p, kinds, growth);
    growth.Check(target.Count(), memoryBudget);
    const TFillAhead filling = target.ReserveToFill(static_cast<std::size_t>(growth.Entries()),
                                                    static_cast<std::size_t>(growth.Bytes()));
    const TEmitText add = [&](std::string_view text) { target.AddKeyword(text); };
    // A phrase makes dozens of variants.
    ProgressBegin(phrases.size());
    TProgressSteps steps(1 << 10);
    for (const auto& p : phrases) {
        steps.Element();
        add(p);
        if (kinds & DoubledChars)
            DoubledCharVariants(p, add);
        if (kinds & SwappedChars)
            SwappedCharVariants(p, add);
        if (kinds & MissingChars)
            MissingCharVariants(p, add);
        if (kinds & QwertyErrors)
            QwertyVariants(p, add);
    }
}
