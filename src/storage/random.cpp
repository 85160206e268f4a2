#include "storage/random.h"

#include <random>

namespace korvela {
namespace {

class TMersenneRandom final : public TRandom {
 public:
  explicit TMersenneRandom(std::uint64_t seed) : engine_(seed) {}
  std::uint32_t Next() override { return static_cast<std::uint32_t>(engine_()); }

 private:
  std::mt19937_64 engine_;
};

}  // namespace

std::int64_t TRandom::Uniform(std::int64_t low, std::int64_t high) {
  if (high == low) return low;  // an empty range would divide by zero below
  const auto range = static_cast<std::uint64_t>(high - low);
  // Rejection sampling keeps the draw uniform for ranges that do not divide 2^64.
  const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
  std::uint64_t draw;
  do {
    draw = (static_cast<std::uint64_t>(Next()) << 32) | Next();
  } while (draw >= limit);
  return low + static_cast<std::int64_t>(draw % range);
}

std::unique_ptr<TRandom> MakeSystemRandom() {
  std::random_device device;
  const std::uint64_t seed = (static_cast<std::uint64_t>(device()) << 32) | device();
  return std::make_unique<TMersenneRandom>(seed);
}

std::unique_ptr<TRandom> MakeSeededRandom(std::uint64_t seed) {
  return std::make_unique<TMersenneRandom>(seed);
}

}  // namespace korvela
