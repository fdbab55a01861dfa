#pragma once
// The 6-byte real in which every stored real quantity is held.
//
// Byte 0 is the exponent with bias 129 (0 means the value 0), bytes 1..5 the
// 39-bit fraction, least significant byte first, and the top bit of byte 5 the
// sign: value = (-1)^s * 2^(e-129) * (1 + f/2^39). Arithmetic is done in
// extended precision (long double, the x87 80-bit format); a store cuts the
// 64-bit significand to 40 bits, rounding half up in magnitude.

#include <array>
#include <bit>
#include <cfloat>
#include <cstdint>
#include <cstring>

namespace cv {

struct Real48 {
    std::array<std::uint8_t, 6> bytes{};
    bool operator==(const Real48&) const = default;
};

static_assert(LDBL_MANT_DIG == 64, "extended precision must be the x87 80-bit format");
static_assert(std::endian::native == std::endian::little, "the stored bytes are laid out as a little-endian word");

inline constexpr int kExtendedToReal48Bias = 16254;  // 16383 - 129
inline constexpr std::uint64_t kReal48FractionMask = (std::uint64_t{1} << 39) - 1;

// Largest magnitude a Real48 holds: (2 - 2^-39) * 2^126.
inline constexpr long double kReal48Max = 0x1.fffffffffep+126L;

// 2^(e - 129 - 39) for each stored exponent e (entry 0 unused): the weight of
// the last of the 40 significand bits.
inline constexpr std::array<long double, 256> kReal48LastBitWeight = [] {
    constexpr int kFractionBits = 39;
    std::array<long double, 256> weights{};
    for (int e = 1; e < 256; ++e) {
        long double weight = 1;
        for (int k = e - 129 - kFractionBits; k > 0; --k) weight *= 2;
        for (int k = e - 129 - kFractionBits; k < 0; ++k) weight /= 2;
        weights[static_cast<std::size_t>(e)] = weight;
    }
    return weights;
}();

// Exact conversion of six stored bytes (inline: the hottest read of the program).
// The 40-bit significand times a power of two is exact in extended precision;
// it is computed rather than laid out in memory, where the ten bytes would be
// read back from two narrower writes, which the processor cannot forward.
inline long double LoadReal48(const std::uint8_t* bytes) {
    // Read as StoreReal48 writes: four bytes, then two.
    std::uint32_t low = 0;
    std::uint16_t high = 0;
    std::memcpy(&low, bytes, 4);
    std::memcpy(&high, bytes + 4, 2);
    const std::uint64_t word = low | (static_cast<std::uint64_t>(high) << 32);
    const auto exponent = static_cast<std::uint8_t>(word);
    if (exponent == 0) return 0.0L;
    const auto significand = static_cast<std::int64_t>(((word >> 8) & kReal48FractionMask) | (std::uint64_t{1} << 39));
    const long double magnitude = static_cast<long double>(significand) * kReal48LastBitWeight[exponent];
    return (word >> 47) ? -magnitude : magnitude;
}

// Raises EOverflowError (out of line: the conversions below are inline).
[[noreturn]] void ThrowReal48Overflow();

// The stored form of Value: the top 40 significand bits rounded half up in
// magnitude, and the Real48 exponent (0: the value 0); EOverflowError beyond the range.
struct Real48Parts {
    std::uint64_t top40 = 0;
    int exponent = 0;
    bool negative = false;
};

// Inline, as the conversions using it: a call passes the value through memory.
inline Real48Parts RoundToReal48Parts(long double value) {
    // The x87 layout: 64-bit significand with explicit leading bit, then 15-bit
    // exponent and the sign bit.
    std::uint64_t significand = 0;
    std::uint16_t signAndExponent = 0;
    std::memcpy(&significand, &value, 8);
    std::memcpy(&signAndExponent, reinterpret_cast<const char*>(&value) + 8, 2);
    const int extendedExponent = signAndExponent & 0x7FFF;
    if (extendedExponent == 0x7FFF) ThrowReal48Overflow();
    Real48Parts rounded;
    rounded.negative = (signAndExponent & 0x8000) != 0;
    rounded.top40 = significand >> 24;
    rounded.exponent = extendedExponent - kExtendedToReal48Bias;
    if ((significand >> 23) & 1) {
        ++rounded.top40;
        if (rounded.top40 >> 40) {
            rounded.top40 >>= 1;
            ++rounded.exponent;
        }
    }
    if (extendedExponent == 0 || (rounded.top40 >> 39) == 0 || rounded.exponent <= 0) return Real48Parts{};
    if (rounded.exponent > 255) ThrowReal48Overflow();
    return rounded;
}

// Converts to the stored form. Magnitudes below 2^-128 (after rounding) give
// zero; beyond the range, an infinity or NaN raises EOverflowError. The six
// bytes are the low ones of one word: exponent, fraction above it, sign on top.
inline void StoreReal48(long double value, std::uint8_t* bytes) {
    const Real48Parts parts = RoundToReal48Parts(value);
    std::uint64_t word = 0;
    if (parts.exponent != 0) {
        constexpr int kFractionShift = 8;
        constexpr int kSignBit = 47;
        word = static_cast<std::uint64_t>(parts.exponent) | ((parts.top40 & kReal48FractionMask) << kFractionShift) |
               (static_cast<std::uint64_t>(parts.negative) << kSignBit);
    }
    std::memcpy(bytes, &word, 6);
}

inline Real48 ToReal48(long double value) {
    Real48 r;
    StoreReal48(value, r.bytes.data());
    return r;
}
inline long double FromReal48(const Real48& r) { return LoadReal48(r.bytes.data()); }

// The value after a round trip through the stored form (what a store keeps);
// EOverflowError as StoreReal48: the 40 bits with their leading one, weighted as LoadReal48 weighs them.
inline long double RoundToReal48(long double value) {
    const Real48Parts parts = RoundToReal48Parts(value);
    if (parts.exponent == 0) return 0.0L;
    const long double magnitude =
        static_cast<long double>(static_cast<std::int64_t>(parts.top40)) * kReal48LastBitWeight[parts.exponent];
    return parts.negative ? -magnitude : magnitude;
}

}  // namespace cv
