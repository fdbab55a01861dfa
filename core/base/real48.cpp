#include "core/base/real48.h"

#include <cstring>

#include "core/base/errors.h"

namespace cv {

namespace {

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

// The stored form of Value: the top 40 significand bits rounded half up in
// magnitude, and the Real48 exponent (0: the value 0); EOverflowError beyond the range.
struct Real48Parts {
    std::uint64_t top40 = 0;
    int exponent = 0;
    bool negative = false;
};

// Inline in both users: a call would copy the value through memory once more.
inline Real48Parts Round(long double value) {
    const ExtendedParts parts = Split(value);
    const int extendedExponent = parts.signAndExponent & 0x7FFF;
    if (extendedExponent == 0x7FFF) throw EOverflowError();
    Real48Parts rounded;
    rounded.negative = (parts.signAndExponent & 0x8000) != 0;
    rounded.top40 = parts.significand >> 24;
    rounded.exponent = extendedExponent - kExtendedToReal48Bias;
    if ((parts.significand >> 23) & 1) {
        ++rounded.top40;
        if (rounded.top40 >> 40) {
            rounded.top40 >>= 1;
            ++rounded.exponent;
        }
    }
    if (extendedExponent == 0 || (rounded.top40 >> 39) == 0 || rounded.exponent <= 0) return Real48Parts{};
    if (rounded.exponent > 255) throw EOverflowError();
    return rounded;
}

}  // namespace

void StoreReal48(long double value, std::uint8_t* bytes) {
    const Real48Parts parts = Round(value);
    if (parts.exponent == 0) {
        std::memset(bytes, 0, 6);
        return;
    }
    const std::uint64_t fraction = parts.top40 & kReal48FractionMask;
    bytes[0] = static_cast<std::uint8_t>(parts.exponent);
    for (int i = 0; i < 5; ++i) bytes[1 + i] = static_cast<std::uint8_t>(fraction >> (8 * i));
    if (parts.negative) bytes[5] |= 0x80;
}

// As a store and a load: the 40 bits with their leading one, weighted as LoadReal48 weighs them.
long double RoundToReal48(long double value) {
    const Real48Parts parts = Round(value);
    if (parts.exponent == 0) return 0.0L;
    const long double magnitude =
        static_cast<long double>(static_cast<std::int64_t>(parts.top40)) * kReal48LastBitWeight[parts.exponent];
    return parts.negative ? -magnitude : magnitude;
}

}  // namespace cv
