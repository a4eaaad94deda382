#pragma once

#include "bench/core/PhraseGenerator.h"
#include "core/KeyItems.h"
#include "core/KeywordFile.h"

#include <map>
#include <string>

// The generated phrase list of a size as one keyword text, made once per process.
inline const std::string& PhraseText(std::size_t count, TPhraseLanguage language = TPhraseLanguage::English) {
    static std::map<std::pair<std::size_t, TPhraseLanguage>, std::string> cache;
    auto& text = cache[{count, language}];
    if (text.empty())
        text = PhrasesAsText(GeneratePhrases(count, 20261208, language));
    return text;
}

inline void LoadPhrases(TKeyItems& list, std::size_t count,
                        TPhraseLanguage language = TPhraseLanguage::English) {
    list.Clear();
    const std::string& text = PhraseText(count, language);
    list.Reserve(count, text.size());
    TKeywordTextParser parser(list);
    parser.Feed(text);
    parser.Finish();
}
