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
    const std::uint64_t fraction = top40 & kReal48FractionMask;
    bytes[0] = static_cast<std::uint8_t>(exponent);
    for (int i = 0; i < 5; ++i) bytes[1 + i] = static_cast<std::uint8_t>(fraction >> (8 * i));
    if (negative) bytes[5] |= 0x80;
}


}  // namespace cv
