#include "platform/heap_pages.h"

#include <malloc.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>

namespace orbisk {

namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
constexpr std::size_t kReserve = std::size_t{24} << 20;
constexpr int kLargestHeapBlock = 32 << 20;
// Blocks spanning at least one whole huge page wherever they start.
constexpr std::size_t kSmallestAdvisedBlock = 2 * kHugePage;

// The blocks over the small pages below a heap's first huge page. Held where
// the compiler cannot see that they are never read: an allocation whose
// address is unused may be dropped altogether.
std::atomic<void*> smallPagesBlock{nullptr};

// Asks for huge pages under the whole 2 MiB pages of the `size` bytes at
// `start`; the first of those pages, or 0 when there is none or the advice
// failed.
std::uintptr_t AdviseWholePages(std::uintptr_t start, std::size_t size) {
  const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t end = (start + size) & ~(kHugePage - 1);
  if (end <= first || madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE) != 0) return 0;
  return first;
}

// Grows the calling thread's heap by `size` bytes (a block as large comes
// from its top, nothing freed is that large) and asks for huge pages under
// its whole 2 MiB pages; once freed, the block is the top again, advice and
// all. The heap's next blocks would fill the small pages below the first
// huge one first; a block that is never touched (so it takes no memory) and
// never freed covers them instead. Its size is the distance from its
// address: the block after it then starts on the first huge page, header
// and all.
[[maybe_unused]] void AdviseHeapReserve(std::size_t size) {
  void* block = std::malloc(size);
  if (block == nullptr) return;
  const auto start = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t first = AdviseWholePages(start, size);
  std::free(block);
  if (first != 0 && first - start > 4096) smallPagesBlock.store(std::malloc(first - start), std::memory_order_relaxed);
}

}  // namespace

void PreferHugePages() {
#if !defined(__SANITIZE_ADDRESS__)
  mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
  mallopt(M_TRIM_THRESHOLD, 2 * kReserve);
  AdviseHeapReserve(kReserve);
#endif
}

void PreferHugePagesInThisThread() {
#if !defined(__SANITIZE_ADDRESS__)
  AdviseHeapReserve(kReserve);
#endif
}

void AdviseHugePages(const void* data, std::size_t size) {
  if (size >= kSmallestAdvisedBlock) AdviseWholePages(reinterpret_cast<std::uintptr_t>(data), size);
}

}  // namespace orbisk
