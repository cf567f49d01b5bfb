#include "platform/spreadsheet/record_arena.hpp"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <new>

namespace fenwarx {
namespace {

constexpr std::size_t kFirstBlock = std::size_t{256} << 10;
constexpr std::size_t kLargestBlock = std::size_t{32} << 20;
constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

RecordArena::~RecordArena() {
  for (const Block& block : blocks_) munmap(block.data, block.size);
}

void* RecordArena::allocate(std::size_t bytes, std::size_t alignment) {
  auto aligned = [&] {
    auto at = reinterpret_cast<std::uintptr_t>(next_);
    return reinterpret_cast<char*>((at + alignment - 1) & ~(std::uintptr_t{alignment} - 1));
  };
  if (!next_ || aligned() + bytes > end_) {
    // Blocks double, so a small sheet stays small and a large one needs few blocks.
    std::size_t size =
        blocks_.empty() ? kFirstBlock : std::min(blocks_.back().size * 2, kLargestBlock);
    size = std::max(size, (bytes + alignment + kHugePage - 1) / kHugePage * kHugePage);
    void* data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (data == MAP_FAILED) throw std::bad_alloc();
    if (size >= 2 * kHugePage) madvise(data, size, MADV_HUGEPAGE);
    blocks_.push_back({data, size});
    next_ = static_cast<char*>(data);
    end_ = next_ + size;
  }
  char* at = aligned();
  next_ = at + bytes;
  return at;
}

}  // namespace fenwarx
