// Whole returns, generated from the input bytes, verified and exported in memory;
// see return_invariants.hpp for what must hold of each.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "return_generator.hpp"
#include "return_invariants.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  fenwarx::fuzzing::check_invariants(fenwarx::fuzzing::generate_return(input));
  return 0;
}
