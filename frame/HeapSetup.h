#pragma once

// Makes every block of a megabyte or more come straight from the system and go straight back to it when
// freed. By default the C library raises that limit once a large block is freed, and from then on keeps the
// storage of finished jobs in its heap: the second job on ten million entries peaked 50 MB higher than the
// first.
void KeepLargeBlocksOutOfTheHeap();

// Has the C library put large blocks on huge pages where the system offers them on request: random access
// over lists of millions of entries then misses the address cache far less (the whole job on ten million
// entries ran 17 % faster). The library reads that setting only as a program starts, so the first call
// starts the program again with it, once; the environment is as it was when the program goes on.
void StartWithLargeBlocksOnHugePages(char** argv);
