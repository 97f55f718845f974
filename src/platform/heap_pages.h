#pragma once
// Where the process's memory comes from. A page touched for the first time
// costs a fault; on a virtual machine one fault per 4 KiB page is dear (about
// 13 us on the 2-core machine the program is built on, so that drawing one
// picture spent a fifth of its time there), while a 2 MiB huge page costs one
// fault for all of it.

#include <cstddef>

namespace orbisk {

// Asks for huge pages under the next 24 MiB of the heap, and lets
// blocks below 32 MiB come from the heap and stay there when freed (rather
// than each big block being mapped, faulted page by page and unmapped again).
// Costs no memory until it is touched. The advice is void where the system
// gives no huge pages; under the address sanitizer, whose allocator has a
// heap of its own, nothing is done. Call it once, first thing in main, before
// any thread starts.
void PreferHugePages();

// The same huge-page reserve in the heap of the calling thread, which the
// allocator gives a heap of its own: call it first thing in a thread that
// fills much memory (a tracing or drawing thread). Costs no memory until it
// is touched; under the address sanitizer nothing is done.
void PreferHugePagesInThisThread();

// Asks for huge pages under the whole 2 MiB pages of the block of `size`
// bytes at `data`, for a block of 4 MiB or more about to be filled: one
// fault per 2 MiB instead of 512. Such blocks lie in the heap beyond its
// advised reserve, in another thread's heap (which has no advice) or, from
// 32 MiB on, in a mapping of their own; where the advice is there already it
// changes nothing. Void where the system gives no huge pages.
void AdviseHugePages(const void* data, std::size_t size);

}  // namespace orbisk
