#include "ui/EditCommands.h"

#include <string_view>

TListChange ChangeOf(const TCommand& command) {
    switch (command.Id) {
    case TCommandId::DeleteHighlighted:
        return TListChange::HighlightedRows;
    case TCommandId::DeleteAll:
        return TListChange::Cleared;
    case TCommandId::ExportToList:
    case TCommandId::ExportToListHighlighted:
    case TCommandId::MultipleRecombine:
    case TCommandId::MultipleMisspelled:
        return TListChange::ChosenList;
    case TCommandId::ListsHighlightFound:
    case TCommandId::ListsHighlightLonger:
        return TListChange::Highlight;
    case TCommandId::DeleteDuplicates:
        return TListChange::Duplicates;
    case TCommandId::ModifySortAsc:
    case TCommandId::ModifySortDesc:
    case TCommandId::ModifySortAscWC:
    case TCommandId::ModifySortDescWC:
        return TListChange::Order;
    case TCommandId::CleanUnwantedTerms:
    case TCommandId::CleanRepeatedSpaces:
    case TCommandId::CleanRepeatedCharacters:
    case TCommandId::CleanUnwantedCharacters:
    case TCommandId::CleanTrailingChars:
    case TCommandId::ModifyAddWordsAtStart:
    case TCommandId::ModifyAddWordsAtEnd:
    case TCommandId::ModifyUpperCase:
    case TCommandId::ModifyLowerCase:
    case TCommandId::ModifyCamelCase:
    case TCommandId::ModifySearchReplace:
    case TCommandId::ModifyGoogleQuote:
    case TCommandId::ModifyGoogleBracket:
    case TCommandId::ModifyGoogleNone:
        return TListChange::Texts;
    default:
        break;
    }
    switch (command.Place.Menu) {
    case TMenuId::Delete:
    case TMenuId::Clean:
    case TMenuId::Modify:
    case TMenuId::Multiply:
    case TMenuId::Lists:
        return TListChange::Entries;
    case TMenuId::Highlight:
        return TListChange::Highlight;
    case TMenuId::Export:
    case TMenuId::Config:
        break;
    }
    return TListChange::Nothing;
}

std::string UndoNameOf(const TCommand& command) {
    constexpr std::string_view ButtonPrefix = "btn";
    constexpr std::string_view Ellipsis = "...";
    std::string name(std::string_view(MenuTable()[static_cast<std::size_t>(command.Place.Menu)].Button)
                         .substr(ButtonPrefix.size()));
    if (command.Place.Submenu)
        name += std::string(" ") + command.Place.Submenu;
    std::string_view caption = command.Caption;
    if (caption.ends_with(Ellipsis))
        caption.remove_suffix(Ellipsis.size());
    return name + " " + std::string(caption);
}

std::string UndoNameOf(TSortOrder order) {
    for (const TCommand& command : CommandTable())
        if (const auto* sorted = std::get_if<TSortOrder>(&command.Variant); sorted && *sorted == order)
            return UndoNameOf(command);
    return {};
}
