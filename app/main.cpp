#include "HeapSetup.h"
#include "MainRoutine.h"

int main(int argc, char** argv) {
    StartWithLargeBlocksOnHugePages(argv);
    return MainRoutine(argc, argv);
}
