#pragma once
// Bump allocation for the rows of a CellStore. A 65,534-row sheet holds some 1.6
// million records; growing the heap page by page for them costs more than reading
// them, so rows come from large blocks (huge pages where the kernel allows) that
// are released together when the store goes. Space a row gives up is not reused.
#include <cstddef>
#include <vector>

namespace fenwarx {

class RecordArena {
 public:
  RecordArena() = default;
  RecordArena(const RecordArena&) = delete;
  RecordArena& operator=(const RecordArena&) = delete;
  ~RecordArena();

  void* allocate(std::size_t bytes, std::size_t alignment);

 private:
  struct Block {
    void* data;
    std::size_t size;
  };
  std::vector<Block> blocks_;
  char* next_ = nullptr;
  char* end_ = nullptr;
};

template <typename T>
class ArenaAllocator {
 public:
  using value_type = T;

  explicit ArenaAllocator(RecordArena* arena) noexcept : arena_(arena) {}
  template <typename U>
  ArenaAllocator(const ArenaAllocator<U>& other) noexcept : arena_(other.arena()) {}

  T* allocate(std::size_t n) {
    return static_cast<T*>(arena_->allocate(n * sizeof(T), alignof(T)));
  }
  void deallocate(T*, std::size_t) noexcept {}
  RecordArena* arena() const noexcept { return arena_; }

  friend bool operator==(const ArenaAllocator& a, const ArenaAllocator& b) noexcept {
    return a.arena_ == b.arena_;
  }

 private:
  RecordArena* arena_;
};

}  // namespace fenwarx
