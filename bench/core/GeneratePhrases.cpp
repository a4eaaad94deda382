// Writes the deterministic benchmark phrase list: generate_phrases COUNT FILE
#include "PhraseGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s COUNT FILE\n", argv[0]);
        return 2;
    }
    const auto count = std::strtoull(argv[1], nullptr, 10);
    std::ofstream out(argv[2], std::ios::binary);
    out << PhrasesAsText(GeneratePhrases(count));
    return out ? 0 : 1;
}
