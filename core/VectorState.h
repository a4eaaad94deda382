#pragma once

// Some libraries (the GUI's among them) leave the upper halves of the AVX registers in use. Until they are
// cleared, every SSE instruction of the program waits on them, which makes the list operations two to three
// times slower. Clearing is one instruction, and nothing where the processor has no AVX. Long operations
// clear where they start (RunParts, ProgressBegin) and after reporting progress, since any GUI code may run
// before.
void ClearVectorUpperState();
