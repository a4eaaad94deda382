// Writes the deterministic benchmark phrase list: generate_phrases COUNT FILE [en|ru|de-fr]
#include "bench/core/PhraseGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

int main(int argc, char** argv) {
    const auto language = PhraseLanguageNamed(argc == 4 ? argv[3] : "en");
    if ((argc != 3 && argc != 4) || !language) {
        std::fprintf(stderr, "usage: %s COUNT FILE [en|ru|de-fr]\n", argv[0]);
        return 2;
    }
    const auto count = std::strtoull(argv[1], nullptr, 10);
    std::ofstream out(argv[2], std::ios::binary);
    out << PhrasesAsText(GeneratePhrases(count, 20261208, *language));
    return out ? 0 : 1;
}
