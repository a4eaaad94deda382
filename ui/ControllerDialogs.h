#pragma once

#include "core/TextEncoding.h"
#include "core/WordFrequency.h"

#include <string>
#include <vector>

class TCharSet;
class TKeyItems;

// Where combined or misspelled words come from.
enum TWordSource : int { SourceHighlighted = 0, SourceAllEntries = 1, SourceTypedWords = 2 };

struct TAddWordsResult {
    std::vector<std::string> Lines;
    bool Append = false;
};

struct TSelectListResult {
    TKeyItems* List = nullptr;
    bool EmptyFirst = false;
};

struct TCombineWordsRequest {
    bool AnyHighlighted = false;
    int WordLimit = 5;
};

struct TMultiplyResult {
    TWordSource Source = SourceHighlighted;
    TKeyItems* Target = nullptr;
    // The word limit (combining) or the misspelling kinds, one bit each (misspelling).
    int Limit = 0;
    std::vector<std::string> TypedWords;
};

// The texts picked in the word-frequency dialog, and whether they go to another list or highlight the
// entries holding them.
struct TWordFrequencyResult {
    std::vector<std::string> Words;
    bool SendToList = false;
};

// Every dialog the command controller runs, each modal; texts in the code page. The real ones are the
// program's dialog windows, the parameter dialogs among them run through the management layer's entry points
// (which keep their recent entries); tests use fakes.
class IControllerDialogs {
public:
    virtual ~IControllerDialogs() = default;
    virtual bool RunAddWords(TAddWordsResult& result) = 0;
    // False when cancelled.
    virtual bool RunSelectList(TSelectListResult& result) = 0;
    // The list a command of the "Lists" drop-down compares the current list with, chosen in a dialog
    // of that title; null when cancelled.
    virtual TKeyItems* ChooseOtherList(const std::string& title) = 0;
    virtual bool RunCombineWords(const TCombineWordsRequest& request, TMultiplyResult& result) = 0;
    virtual bool RunMisspellings(bool anyHighlighted, TMultiplyResult& result) = 0;
    // On confirmation the dialog has stored the new font and colours in the list, and the chosen encodings
    // in encodings.
    virtual bool RunColorsAndFont(TKeyItems& list, TFileEncodings& encodings) = 0;
    virtual void RunAbout() = 0;
    // Shows the words that count finds; false when closed without picking.
    virtual bool RunWordFrequency(const TCountWordRuns& count, TWordFrequencyResult& result) = 0;
    // The update check, with its own messages.
    virtual void CheckForUpdates() = 0;

    // The parameter dialogs; false (or a count of 0) when cancelled.
    // The typed lines without the empty ones, upper-cased by the locale when upperCase is set.
    virtual bool AskWords(const std::string& title, std::vector<std::string>& lines, bool upperCase) = 0;
    virtual int AskWordCount(const std::string& title) = 0;
    // A number of characters, offered as defaultCount; 0 when cancelled.
    virtual int AskCharacterCount(const std::string& title, int defaultCount) = 0;
    virtual bool AskCharacters(TCharSet& characters) = 0;
    virtual bool AskWord(std::string& word) = 0;
    virtual bool AskSearchReplace(std::string& find, std::string& replacement) = 0;
};
