#include "platform/xlsx/huge_pages.hpp"

#include <sys/mman.h>

#include <cstdint>

namespace fenwarx {

void advise_huge_pages(void* data, std::size_t size) noexcept {
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  if (size < 2 * kHugePage) return;
  auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
  auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kHugePage - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace fenwarx
