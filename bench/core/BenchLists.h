#pragma once

#include "bench/core/PhraseGenerator.h"
#include "core/KeyItems.h"
#include "core/KeywordFile.h"

#include <map>
#include <string>

// The generated phrase list of a size as one keyword text, made once per process.
inline const std::string& PhraseText(std::size_t count) {
    static std::map<std::size_t, std::string> cache;
    auto& text = cache[count];
    if (text.empty())
        text = PhrasesAsText(GeneratePhrases(count));
    return text;
}

inline void LoadPhrases(TKeyItems& list, std::size_t count) {
    list.Clear();
    const std::string& text = PhraseText(count);
    list.Reserve(count, text.size());
    TKeywordTextParser parser(list);
    parser.Feed(text);
    parser.Finish();
}
