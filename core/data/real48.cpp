#include "core/data/real48.h"

#include <cfloat>
#include <cstring>

#include "core/services/errors.h"

namespace cv {

static_assert(LDBL_MANT_DIG == 64, "extended precision must be the x87 80-bit format");

namespace {

constexpr int kExtendedToReal48Bias = 16254;  // 16383 - 129
constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << 39) - 1;

// The x87 layout: 64-bit significand with explicit leading bit, then 15-bit
// exponent and the sign bit.
struct ExtendedParts {
    std::uint64_t significand;
    std::uint16_t signAndExponent;
};

ExtendedParts Split(long double value) {
    ExtendedParts parts;
    std::memcpy(&parts.significand, &value, 8);
    std::memcpy(&parts.signAndExponent, reinterpret_cast<const char*>(&value) + 8, 2);
    return parts;
}

}  // namespace

void StoreReal48(long double value, std::uint8_t* bytes) {
    const ExtendedParts parts = Split(value);
    const int extendedExponent = parts.signAndExponent & 0x7FFF;
    const bool negative = (parts.signAndExponent & 0x8000) != 0;
    if (extendedExponent == 0x7FFF) throw EOverflowError();
    std::uint64_t top40 = parts.significand >> 24;
    int exponent = extendedExponent - kExtendedToReal48Bias;
    if ((parts.significand >> 23) & 1) {
        ++top40;
        if (top40 >> 40) {
            top40 >>= 1;
            ++exponent;
        }
    }
    if (extendedExponent == 0 || (top40 >> 39) == 0 || exponent <= 0) {
        std::memset(bytes, 0, 6);
        return;
    }
    if (exponent > 255) throw EOverflowError();
    const std::uint64_t fraction = top40 & kFractionMask;
    bytes[0] = static_cast<std::uint8_t>(exponent);
    for (int i = 0; i < 5; ++i) bytes[1 + i] = static_cast<std::uint8_t>(fraction >> (8 * i));
    if (negative) bytes[5] |= 0x80;
}

long double LoadReal48(const std::uint8_t* bytes) {
    if (bytes[0] == 0) return 0.0L;
    std::uint64_t fraction = 0;
    for (int i = 4; i >= 0; --i) fraction = (fraction << 8) | bytes[1 + i];
    fraction &= kFractionMask;
    const ExtendedParts parts{(std::uint64_t{1} << 63) | (fraction << 24),
                              static_cast<std::uint16_t>((bytes[0] + kExtendedToReal48Bias) |
                                                         ((bytes[5] & 0x80) ? 0x8000 : 0))};
    long double value = 0;
    std::memcpy(&value, &parts.significand, 8);
    std::memcpy(reinterpret_cast<char*>(&value) + 8, &parts.signAndExponent, 2);
    return value;
}

}  // namespace cv
