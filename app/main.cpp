#include "app/MainRoutine.h"

int main(int argc, char** argv) {
    return MainRoutine(argc, argv);
}
