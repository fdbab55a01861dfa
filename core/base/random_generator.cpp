#include "core/base/random_generator.h"

namespace cv {
namespace {

constexpr std::uint32_t kMultiplier = 134775813u;
constexpr long double kTwoTo32 = 4294967296.0L;
constexpr int kSeedBits = 32;

std::uint32_t seed = 0;

// Unsigned 32-bit arithmetic wraps, which is the modulo 2^32 of the generator.
std::uint32_t Step() {
    seed = seed * kMultiplier + 1u;
    return seed;
}

}  // namespace

std::uint32_t RandomSeed() { return seed; }
void SetRandomSeed(std::uint32_t value) { seed = value; }

double RandomReal() { return static_cast<double>(Step() / kTwoTo32); }

std::int32_t RandomBelow(std::int32_t n) {
    const std::uint64_t drawn = Step();
    if (n <= 0) return 0;
    return static_cast<std::int32_t>((drawn * static_cast<std::uint64_t>(n)) >> kSeedBits);
}

double RandomBetween(double lo, double hi) {
    const long double r = Step() / kTwoTo32;
    return static_cast<double>(lo + r * (static_cast<long double>(hi) - lo));
}

}  // namespace cv
