#include "platform/heap_pages.h"

#include <malloc.h>

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

// The block over the small pages below the first huge one. Held where the
// compiler cannot see that it is never read: an allocation whose address is
// unused may be dropped altogether.
void* volatile smallPagesBlock = nullptr;

}  // namespace

void PreferHugePages() {
#if !defined(__SANITIZE_ADDRESS__)
  mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
  mallopt(M_TRIM_THRESHOLD, 2 * kReserve);
  // A block as large as the reserve grows the heap by that much (it comes
  // from the heap's top, nothing freed is that large); once freed, it is the
  // top again, with the huge-page advice on its whole 2 MiB pages.
  void* block = std::malloc(kReserve);
  if (block == nullptr) return;
  const auto start = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t end = (start + kReserve) & ~(kHugePage - 1);
  const bool advised = end > first && madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE) == 0;
  std::free(block);
  // The heap's next blocks would fill the small pages below the first huge
  // one first; a block that is never touched (so it takes no memory) and never
  // freed covers them instead. Its size is the distance from its address: the
  // block after it then starts on the first huge page, header and all.
  if (advised && first - start > 4096 && smallPagesBlock == nullptr) {
    smallPagesBlock = std::malloc(first - start);
  }
#endif
}

void AdviseHugePages(const void* data, std::size_t size) {
  if (size < kSmallestAdvisedBlock) return;
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t end = (start + size) & ~(kHugePage - 1);
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

}  // namespace orbisk
