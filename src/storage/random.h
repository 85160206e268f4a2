#pragma once
#include <cstdint>
#include <memory>

namespace korvela {

// The source of every random draw: scrambling headers and record identifiers.
// Passed in, so that tests can fix the sequence.
class TRandom {
 public:
  virtual ~TRandom() = default;
  virtual std::uint32_t Next() = 0;
  // A value drawn uniformly from low ... high - 1 (high > low); equal bounds
  // give the bound itself without a draw.
  std::int64_t Uniform(std::int64_t low, std::int64_t high);
};

// Seeded from the operating system's entropy, or from a fixed seed.
std::unique_ptr<TRandom> MakeSystemRandom();
std::unique_ptr<TRandom> MakeSeededRandom(std::uint64_t seed);

}  // namespace korvela
