// Loads a keyword file into one list and prints its entry count: load_list FILE
// Run under /usr/bin/time -v to see the resident memory a loaded list takes.
#include "core/Exceptions.h"
#include "core/KeyItems.h"
#include "core/KeywordFile.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    try {
        TKeyItems list;
        ReadKeywordFile(argv[1], list);
        std::printf("%d\n", list.Count());
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.Message.c_str());
        return 1;
    }
    return 0;
}
