#pragma once

#include "core/KeyItems.h"

#include <string>
#include <vector>

// Operations of one list against another. Entries are compared ignoring case as "Duplicate Entries"
// compares them (equal folded texts). other may be list itself. Deleting keeps the order of what stays.

// Appends to list.Highlighted, ascending, the index of every entry whose text other holds.
void HighlightFoundIn(TKeyItems& list, const TKeyItems& other);
// Deletes the entries that other holds (against itself: all); returns how many.
int DeleteFoundIn(TKeyItems& list, const TKeyItems& other);
// Deletes the entries that other lacks (against itself: none); returns how many.
int KeepOnlyFoundIn(TKeyItems& list, const TKeyItems& other);
// Appends, in other's order, each entry of other that neither list nor an earlier entry of other holds
// (against itself: none); returns how many.
int AddMissingFrom(TKeyItems& list, const TKeyItems& other);

// Deletes the entries that hold an entry of other (a negative word or phrase) as whole words, as
// TWholeWordSearch finds them; blank entries of other are left out. Returns how many.
int DeleteContainingWordsOf(TKeyItems& list, const TKeyItems& other);
// Appends to list.Highlighted, ascending, the index of every entry that holds one of the words or phrases
// as whole words.
void HighlightHoldingWords(TKeyItems& list, const std::vector<std::string>& words);

// Deletes each entry whose words, ignoring case and order, an earlier entry has: words are the runs between
// word blanks, so `Shoes  RED` repeats `red shoes`, and all entries without words are one group. Returns how
// many.
int DeleteSameWordsInOtherOrder(TKeyItems& list);

// Appends to list.Highlighted, ascending, the index of every entry longer than n characters (code points).
void HighlightLongerThan(TKeyItems& list, std::size_t n);

// Deletes the entries at the ascending indices, through the list's own deletion; returns how many.
int DeleteIndices(TKeyItems& list, TIntList indices);
