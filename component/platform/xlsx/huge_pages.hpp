#pragma once
// Large part buffers (a 65,534-row sheet is ~60 MB) are first touched page by
// page; on a virtual machine each 4 KiB fault is costly. Asking for transparent
// huge pages before the first touch cuts the faults 512-fold. Advice only: where
// the kernel says no, nothing changes.
#include <cstddef>

namespace fenwarx {

void advise_huge_pages(void* data, std::size_t size) noexcept;

}  // namespace fenwarx
