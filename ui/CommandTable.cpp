#include "ui/CommandTable.h"

#include "ui/MainFormController.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <type_traits>

namespace {

// The variant a handler takes: its parameter's type, std::monostate for a handler without one.
template <class THandler> struct THandlerForm;
template <class TForm> struct THandlerForm<void (TMainFormController::*)(TForm)> { using Type = TForm; };
template <> struct THandlerForm<void (TMainFormController::*)()> { using Type = std::monostate; };

template <auto Handler> void Call(TMainFormController& controller, const TCommandVariant& variant) {
    using TForm = typename THandlerForm<decltype(Handler)>::Type;
    if constexpr (std::is_same_v<TForm, std::monostate>)
        (controller.*Handler)();
    else
        (controller.*Handler)(std::get<TForm>(variant));
}

} // namespace

// The rows name the controller's private handlers, so the table is built inside this friend of the
// controller.
struct TCommandRows {
    // A row whose variant is, by its type, the form its handler takes.
    template <auto Handler, class... TForm>
    static constexpr TCommand Row(TCommandId id, const char* name, const char* caption, TMenuPlace place,
                                  TCommandRule rule, const char* checkpoint, TForm... form) {
        using THandlerTakes = typename THandlerForm<decltype(Handler)>::Type;
        static_assert(sizeof...(TForm) <= 1);
        if constexpr (sizeof...(TForm) == 0) {
            static_assert(std::is_same_v<THandlerTakes, std::monostate>, "this handler needs a variant");
            return {id, name, caption, place, rule, checkpoint, &Call<Handler>, std::monostate{}};
        } else {
            static_assert((std::is_same_v<THandlerTakes, TForm> && ...),
                          "the variant is not the handler's form");
            return {id, name, caption, place, rule, checkpoint, &Call<Handler>, TCommandVariant(form...)};
        }
    }

    static constexpr std::array<TCommand, CommandCount> Table() {
        using C = TMainFormController;
        using Id = TCommandId;
        using enum TMenuId;
        constexpr auto E = TCommandRule::NeedsEntries;
        constexpr auto H = TCommandRule::NeedsHighlight;
        constexpr auto A = TCommandRule::AlwaysEnabled;
        constexpr bool Sep = true;
        constexpr bool NoSep = false;
        constexpr const char* Contain = "Entries That Contain";
        return {
            Row<&C::DeleteAllEntries>(Id::DeleteAll, "aDeleteAll", "All Entries...", {Delete, 1}, E, "AS017"),
            Row<&C::DeleteHighlightedEntries>(Id::DeleteHighlighted, "aDeleteHighlighted",
                                              "Only Highlighted Entries", {Delete, 2}, H, "AS019"),
            Row<&C::DeleteDuplicateEntries>(Id::DeleteDuplicates, "aDeleteDuplicates", "Duplicate Entries",
                                            {Delete, 3, Sep}, E, "AS031"),
            Row<&C::DeleteEntriesWithTerms>(Id::DeleteWordAtAnyWhere, "aDeleteWordAtAnyWhere",
                                            "Entries With Terms Anywhere...", {Delete, 4, Sep}, E, "AS027",
                                            TTermPosition::Anywhere),
            Row<&C::DeleteEntriesWithTerms>(Id::DeleteWordAtStart, "aDeleteWordAtStart",
                                            "Entries With Terms At Start...", {Delete, 5}, E, "AS028",
                                            TTermPosition::AtStart),
            Row<&C::DeleteEntriesWithTerms>(Id::DeleteWordAtEnd, "aDeleteWordAtEnd",
                                            "Entries With Terms At End...", {Delete, 6}, E, "AS029",
                                            TTermPosition::AtEnd),
            Row<&C::DeleteEntriesWithTerms>(Id::DeleteWordAtMiddle, "aDeleteWordAtMiddle",
                                            "Entries With Terms At Middle", {Delete, 7}, E, "AS030",
                                            TTermPosition::InMiddle),
            Row<&C::DeleteEntriesByWordCount>(Id::DeleteWordCountMore, "aDeleteWordCountMore",
                                              "Entries With More Than 'N' Words...", {Delete, 8, Sep}, E,
                                              "AS032", TWordComparison::MoreThan),
            Row<&C::DeleteEntriesByWordCount>(Id::DeleteWordCountLess, "aDeleteWordCountLess",
                                              "Entries With Less Than 'N' Words...", {Delete, 9}, E, "AS033",
                                              TWordComparison::LessThan),
            Row<&C::DeleteEntriesByWordCount>(Id::DeleteWordCountExactly, "aDeleteWordCountExactly",
                                              "Entries With Exactly 'N' Words...", {Delete, 10}, E, "AS034",
                                              TWordComparison::Exactly),
            Row<&C::HighlightAllEntries>(Id::HighlightAll, "aHighlightAll", "All Entries", {Highlight, 8}, E,
                                         "AS020")
                .WithShortcut("Ctrl+A"),
            Row<&C::InvertHighlight>(Id::HighlightInvert, "aHighlightInvert", "Invert Selection",
                                     {Highlight, 7, Sep}, H, "AS021"),
            Row<&C::ClearHighlight>(Id::HighlightNone, "aHighlightNone", "Select None", {Highlight, 9}, H,
                                    "AS022"),
            Row<&C::HighlightEntriesWithTerms>(Id::HighlightWordAtStart, "aHighlightWordAtStart",
                                               "Word At Start...", {Highlight, 1, NoSep, Contain}, E, "AS023",
                                               TTermPosition::AtStart),
            Row<&C::HighlightEntriesWithTerms>(Id::HighlightWordAtEnd, "aHighlightWordAtEnd",
                                               "Word At End...", {Highlight, 2, NoSep, Contain}, E, "AS025",
                                               TTermPosition::AtEnd),
            Row<&C::HighlightEntriesWithTerms>(Id::HighlightWordAtAnyWhere, "aHighlightWordAtAnyWhere",
                                               "Word Anywhere...", {Highlight, 3, NoSep, Contain}, E, "AS026",
                                               TTermPosition::Anywhere),
            Row<&C::HighlightEntriesByWordCount>(Id::HighlightWordCountMore, "aHighlightWordCountMore",
                                                 "More Than 'N' Words...", {Highlight, 4, Sep, Contain}, E,
                                                 "AS035", TWordComparison::MoreThan),
            Row<&C::HighlightEntriesByWordCount>(Id::HighlightWordCountLess, "aHighlightWordCountLess",
                                                 "Less Than 'N' Words...", {Highlight, 5, NoSep, Contain}, E,
                                                 "AS036", TWordComparison::LessThan),
            Row<&C::HighlightEntriesByWordCount>(Id::HighlightWordCountExactly, "aHighlightWordCountExactly",
                                                 "Equal To 'N' Words...", {Highlight, 6, NoSep, Contain}, E,
                                                 "AS037", TWordComparison::Exactly),
            Row<&C::EditColorsAndFont>(Id::ConfigFont, "aConfigFont", "Colors & Font...", {Config, 1}, A,
                                       "AS039"),
            Row<&C::CheckForUpdates>(Id::ConfigUpdates, "aConfigUpdates", "Check For Updates...",
                                     {Config, 2, Sep}, A, "AS041"),
            Row<&C::ExportToTextFile>(Id::ExportToFile, "aExportToFile", "All To Text File...", {Export, 1},
                                      E, "AS043", TExportScope::All),
            Row<&C::ExportToList>(Id::ExportToList, "aExportToList", "All To Another List...", {Export, 2}, E,
                                  "AS044", TExportScope::All),
            Row<&C::ExportToClipboard>(Id::ExportToClipboard, "aExportToClipboard", "All To Clipboard",
                                       {Export, 3}, E, "AS045", TExportScope::All),
            Row<&C::ExportToClipboardComma>(Id::ExportToClipboardComma, "aExportToClipboardComma",
                                            "All To Clipboard (Comma Seperated)", {Export, 4}, E, "AS046",
                                            TExportScope::All),
            Row<&C::ExportToTextFile>(Id::ExportToFileHighlighted, "aExportToFileHighlighted",
                                      "Highlighted Words To Text File...", {Export, 5, Sep}, H, "AS047",
                                      TExportScope::Highlighted),
            Row<&C::ExportToList>(Id::ExportToListHighlighted, "aExportToListHighlighted",
                                  "Highlighted Words To Another List...", {Export, 6}, H, "AS048",
                                  TExportScope::Highlighted),
            Row<&C::ExportToClipboard>(Id::ExportToClipboardHighlighted, "aExportToClipboardHighlighted",
                                       "Highlighted Words To Clipboard", {Export, 7}, H, "AS049",
                                       TExportScope::Highlighted),
            Row<&C::ExportToClipboardComma>(Id::ExportToClipboardCommaHighlighted,
                                            "aExportToClipboardCommaHighlighted",
                                            "Highlighted Words To Clipboard (Comma Seperated)", {Export, 8},
                                            H, "AS050", TExportScope::Highlighted),
            Row<&C::CleanUnwantedTerms>(Id::CleanUnwantedTerms, "aCleanUnwantedTerms", "Unwanted Terms...",
                                        {Clean, 2}, E, "AS051"),
            Row<&C::CleanRepeatedSpaces>(Id::CleanRepeatedSpaces, "aCleanRepeatedSpaces", "Repeated Spaces",
                                         {Clean, 3}, E, "AS052"),
            Row<&C::CleanRepeatedCharacters>(Id::CleanRepeatedCharacters, "aCleanRepeatedCharacters",
                                             "Repeated Characters", {Clean, 4}, E, "AS053"),
            Row<&C::CleanUnwantedCharacters>(Id::CleanUnwantedCharacters, "aCleanUnwantedCharacters",
                                             "Unwanted Characters...", {Clean, 1}, E, "AS054"),
            Row<&C::CleanTrailingChars>(Id::CleanTrailingChars, "aCleanTrailingChars",
                                        "Trailing/Leading Chars...", {Clean, 5}, E, "AS055"),
            Row<&C::AddWordsToEntries>(Id::ModifyAddWordsAtStart, "aModifyAddWordsAtStart",
                                       "Add Words At Start...", {Modify, 4, Sep}, E, "AS056",
                                       TWordPlacement::PrependInPlace),
            Row<&C::AddWordsToEntries>(Id::ModifyAddWordsAtEnd, "aModifyAddWordsAtEnd", "Add Words At End...",
                                       {Modify, 5}, E, "AS057", TWordPlacement::AppendInPlace),
            Row<&C::ChangeCase>(Id::ModifyUpperCase, "aModifyUpperCase", "Convert To Uppercase", {Modify, 8},
                                E, "AS058", TCaseChange::Upper),
            Row<&C::ChangeCase>(Id::ModifyLowerCase, "aModifyLowerCase", "Convert To Lowercase",
                                {Modify, 7, Sep}, E, "AS059", TCaseChange::Lower),
            Row<&C::ChangeCase>(Id::ModifyCamelCase, "aModifyCamelCase", "First Letters To UpperCase",
                                {Modify, 9}, E, "AS060", TCaseChange::FirstLetters),
            Row<&C::SearchAndReplace>(Id::ModifySearchReplace, "aModifySearchReplace", "Search & Replace...",
                                      {Modify, 6, Sep}, E, "AS061", TReplaceMode::InPlace),
            Row<&C::SortEntries>(Id::ModifySortAsc, "aModifySortAsc", "Ascending", {Modify, 10, Sep, "Sort"},
                                 E, "AS066", TSortOrder::Ascending),
            Row<&C::SortEntries>(Id::ModifySortDesc, "aModifySortDesc", "Descending",
                                 {Modify, 11, NoSep, "Sort"}, E, "AS067", TSortOrder::Descending),
            Row<&C::SortEntries>(Id::ModifySortAscWC, "aModifySortAscWC", "Ascending Word Count",
                                 {Modify, 12, NoSep, "Sort"}, E, "AS068", TSortOrder::AscendingWordCount),
            Row<&C::SortEntries>(Id::ModifySortDescWC, "aModifySortDescWC", "Descending Word Count",
                                 {Modify, 13, NoSep, "Sort"}, E, "AS069", TSortOrder::DescendingWordCount),
            Row<&C::ChangeMatchType>(Id::ModifyGoogleQuote, "aModifyGoogleQuote", "Google Phrase Match",
                                     {Modify, 1}, E, "AS070", TMatchType::Phrase),
            Row<&C::ChangeMatchType>(Id::ModifyGoogleBracket, "aModifyGoogleBracket", "Google Exact Match",
                                     {Modify, 2}, E, "AS071", TMatchType::Exact),
            Row<&C::ChangeMatchType>(Id::ModifyGoogleNone, "aModifyGoogleNone", "Google Broad Match",
                                     {Modify, 3}, E, "AS072", TMatchType::Broad),
            Row<&C::SearchAndReplace>(Id::MultiplyReplaceAndDuplicate, "aMultiplyReplaceAndDuplicate",
                                      "Replace Words and Duplicate...", {Multiply, 2}, E, "AS062",
                                      TReplaceMode::Duplicate),
            Row<&C::AddWordsToEntries>(Id::MultiplyAddWordsStart, "aMultiplyAddWordsStart",
                                       "Add Words At Start...", {Multiply, 4, Sep}, E, "AS063",
                                       TWordPlacement::PrependAsNew),
            Row<&C::AddWordsToEntries>(Id::MultiplyAddWordsEnd, "aMultiplyAddWordsEnd", "Add Words At End...",
                                       {Multiply, 5}, E, "AS064", TWordPlacement::AppendAsNew),
            Row<&C::RecombineEntries>(Id::MultipleRecombine, "aMultipleRecombine", "Recombine Words...",
                                      {Multiply, 3}, A, "AS065"),
            Row<&C::AddMatchTypeVariants>(Id::MultipleGoogleQuote, "aMultipleGoogleQuote",
                                          "Google Phrase Match", {Multiply, 6, Sep}, E, "AS073",
                                          TMatchType::Phrase),
            Row<&C::AddMatchTypeVariants>(Id::MultipleGoogleBracket, "aMultipleGoogleBracket",
                                          "Google Exact Match", {Multiply, 7}, E, "AS074", TMatchType::Exact),
            Row<&C::CreateMisspellings>(Id::MultipleMisspelled, "aMultipleMisspelled",
                                        "Add Misspelled Words...", {Multiply, 1}, A, "AS075"),
            // The "Lists" drop-down; its further commands follow these.
            Row<&C::CompareWithList>(Id::ListsDeleteFound, "aListsDeleteFound",
                                     "Delete Entries Found In Another List...", {Lists, 1}, E, "AS076",
                                     TListComparison::DeleteFound),
            Row<&C::CompareWithList>(Id::ListsHighlightFound, "aListsHighlightFound",
                                     "Highlight Entries Found In Another List...", {Lists, 2}, E, "AS077",
                                     TListComparison::HighlightFound),
            Row<&C::CompareWithList>(Id::ListsKeepFound, "aListsKeepFound",
                                     "Keep Only Entries Found In Another List...", {Lists, 3}, E, "AS078",
                                     TListComparison::KeepFound),
            Row<&C::CompareWithList>(Id::ListsDeleteWordsOf, "aListsDeleteWordsOf",
                                     "Delete Entries With Words Of Another List...", {Lists, 4}, E, "AS079",
                                     TListComparison::DeleteWords),
            Row<&C::CompareWithList>(Id::ListsAddMissing, "aListsAddMissing",
                                     "Add Missing Entries From Another List...", {Lists, 5}, A, "AS080",
                                     TListComparison::AddMissing),
            Row<&C::DeleteSameWordsInOtherOrder>(Id::ListsDeleteSameWords, "aListsDeleteSameWords",
                                                 "Delete Same Words In Another Order", {Lists, 6, Sep}, E,
                                                 "AS081"),
            Row<&C::HighlightLongEntries>(Id::ListsHighlightLonger, "aListsHighlightLonger",
                                          "Highlight Entries Longer Than...", {Lists, 7}, E, "AS082"),
        };
    }
};

namespace {

constexpr std::array<TCommand, CommandCount> Rows = TCommandRows::Table();

constexpr std::array<TMenu, MenuCount> Menus = {{
    {TMenuId::Delete, "mnuDelete", "btnDelete"},
    {TMenuId::Clean, "mnuClean", "btnClean"},
    {TMenuId::Modify, "mnuModify", "btnModify"},
    {TMenuId::Multiply, "mnuMultiply", "btnMultiply"},
    {TMenuId::Highlight, "mnuHighlight", "btnHighlight"},
    {TMenuId::Export, "mnuExport", "btnExport"},
    {TMenuId::Config, "mnuConfig", "btnConfig"},
    {TMenuId::Lists, "mnuLists", "btnLists"},
}};

constexpr bool SameSubmenu(const char* a, const char* b) {
    return a && b ? std::string_view(a) == b : a == b;
}

constexpr bool NamesUnique() {
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        if (Rows[i].Id != static_cast<TCommandId>(i))
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (std::string_view(Rows[i].Name) == Rows[j].Name)
                return false;
    }
    return true;
}

// Lines 1..n of the menu each taken by exactly one command, and a submenu's lines following each other.
constexpr bool MenuFilled(TMenuId menu) {
    int lines = 0;
    for (const TCommand& row : Rows)
        lines += row.Place.Menu == menu ? 1 : 0;
    if (lines == 0)
        return false;
    const TCommand* previous = nullptr;
    for (int line = 1; line <= lines; ++line) {
        const TCommand* taker = nullptr;
        for (const TCommand& row : Rows) {
            if (row.Place.Menu != menu || row.Place.Line != line)
                continue;
            if (taker)
                return false;
            taker = &row;
        }
        if (!taker)
            return false;
        if (previous && taker->Place.Submenu && !SameSubmenu(previous->Place.Submenu, taker->Place.Submenu))
            for (const TCommand& row : Rows)
                if (row.Place.Menu == menu && row.Place.Line < line &&
                    SameSubmenu(row.Place.Submenu, taker->Place.Submenu))
                    return false;
        previous = taker;
    }
    return true;
}

constexpr bool MenusFilled() {
    for (std::size_t m = 0; m < Menus.size(); ++m)
        if (Menus[m].Id != static_cast<TMenuId>(m) || !MenuFilled(Menus[m].Id))
            return false;
    return true;
}

static_assert(NamesUnique(), "a command name is repeated, or a row stands out of its identifier's order");
static_assert(MenusFilled(), "a menu line is empty or taken twice, or a submenu is split");

} // namespace

std::span<const TCommand> CommandTable() {
    return Rows;
}

const TCommand& CommandOf(TCommandId id) {
    return Rows[static_cast<std::size_t>(id)];
}

std::span<const TMenu> MenuTable() {
    return Menus;
}

std::vector<const TCommand*> MenuCommands(TMenuId menu) {
    std::vector<const TCommand*> commands;
    for (const TCommand& command : Rows)
        if (command.Place.Menu == menu)
            commands.push_back(&command);
    std::sort(commands.begin(), commands.end(),
              [](const TCommand* a, const TCommand* b) { return a->Place.Line < b->Place.Line; });
    return commands;
}
