#pragma once

#include "core/KeyItems.h"
#include "core/SortOrder.h"
#include "core/WordRules.h"

#include <cstdint>
#include <variant>

// The forms of one shared command handler, each a type of its own so that a command row can only carry the
// form its handler takes. Values are those the list operations (or the command's tag) use.
enum class TTermPosition : std::uint8_t {
    AtStart = TKeyItems::TermAtStart,
    AtEnd = TKeyItems::TermAtEnd,
    InMiddle = TKeyItems::TermInMiddle,
    Anywhere = TKeyItems::TermAnywhere,
};

enum class TWordComparison : std::uint8_t {
    MoreThan = TKeyItems::WordsMoreThan,
    LessThan = TKeyItems::WordsLessThan,
    Exactly = TKeyItems::WordsExactly,
};

enum class TMatchType : std::uint8_t { Phrase = PhraseMatch, Exact = ExactMatch, Broad = BroadMatch };

enum class TCaseChange : std::uint8_t { Upper = 1, Lower = 2, FirstLetters = 3 };

// Where a word goes, and whether the changed texts replace the entries or are added as new ones.
enum class TWordPlacement : std::uint8_t {
    PrependInPlace = 1,
    AppendInPlace = 2,
    PrependAsNew = 3,
    AppendAsNew = 4
};

enum class TReplaceMode : std::uint8_t { InPlace = 1, Duplicate = 2 };

// The entries an export takes.
enum class TExportScope : std::uint8_t { All = 1, Highlighted = 2 };

// What a command does to the current list with the entries of another list.
enum class TListComparison : std::uint8_t {
    DeleteFound = 1,
    HighlightFound = 2,
    KeepFound = 3,
    DeleteWords = 4,
    AddMissing = 5
};

using TCommandVariant =
    std::variant<std::monostate, TTermPosition, TWordComparison, TMatchType, TSortOrder, TCaseChange,
                 TWordPlacement, TReplaceMode, TExportScope, TListComparison>;

// The number a command's tag shows for its variant; 0 for a command without one.
constexpr int VariantTag(const TCommandVariant& variant) {
    return std::visit(
        [](auto value) -> int {
            if constexpr (std::is_same_v<decltype(value), std::monostate>)
                return 0;
            else
                return static_cast<int>(value);
        },
        variant);
}
