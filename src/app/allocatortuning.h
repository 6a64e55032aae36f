#pragma once

// Sets the C library's allocator up for print jobs: Qt's PDF writer takes two
// buffers of 16 MiB for every page it compresses and gives them back at once. With
// the allocator's defaults each of them is a fresh mapping whose pages the kernel
// hands out and takes back, page after page, which costs more time than drawing the
// labels. Kept in the heap instead, they are reused; only the pages touched count
// towards the memory in use.
void tuneAllocatorForPrinting();
