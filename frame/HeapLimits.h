#pragma once

// Makes every block of a megabyte or more come straight from the system and go straight back to it when
// freed. By default the C library raises that limit once a large block is freed, and from then on keeps the
// storage of finished jobs in its heap: the second job on ten million entries peaked 50 MB higher than the
// first.
void KeepLargeBlocksOutOfTheHeap();
