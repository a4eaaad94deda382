#pragma once

// Makes the C heap give large freed memory back to the system at once. Commands on long lists make and free
// temporaries of megabytes on two threads; once the heap has seen such a block freed, it would otherwise
// keep tens of megabytes of them in each thread's arena for good.
void ReturnFreedHeapPromptly();
