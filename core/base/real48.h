#pragma once
// The 6-byte real in which every stored real quantity is held.
//
// Byte 0 is the exponent with bias 129 (0 means the value 0), bytes 1..5 the
// 39-bit fraction, least significant byte first, and the top bit of byte 5 the
// sign: value = (-1)^s * 2^(e-129) * (1 + f/2^39). Arithmetic is done in
// extended precision (long double, the x87 80-bit format); a store cuts the
// 64-bit significand to 40 bits, rounding half up in magnitude.

#include <array>
#include <cfloat>
#include <cstdint>
#include <cstring>

namespace cv {

struct Real48 {
    std::array<std::uint8_t, 6> bytes{};
    bool operator==(const Real48&) const = default;
};

static_assert(LDBL_MANT_DIG == 64, "extended precision must be the x87 80-bit format");

inline constexpr int kExtendedToReal48Bias = 16254;  // 16383 - 129
inline constexpr std::uint64_t kReal48FractionMask = (std::uint64_t{1} << 39) - 1;

// Largest magnitude a Real48 holds: (2 - 2^-39) * 2^126.
inline constexpr long double kReal48Max = 0x1.fffffffffep+126L;

// Converts to the stored form. Magnitudes below 2^-128 (after rounding) give
// zero; beyond the range, an infinity or NaN raises EOverflowError.
void StoreReal48(long double value, std::uint8_t* bytes);
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
    if (bytes[0] == 0) return 0.0L;
    std::uint64_t fraction = 0;
    for (int i = 4; i >= 0; --i) fraction = (fraction << 8) | bytes[1 + i];
    const auto significand = static_cast<std::int64_t>((fraction & kReal48FractionMask) | (std::uint64_t{1} << 39));
    const long double magnitude = static_cast<long double>(significand) * kReal48LastBitWeight[bytes[0]];
    return (bytes[5] & 0x80) ? -magnitude : magnitude;
}

inline Real48 ToReal48(long double value) {
    Real48 r;
    StoreReal48(value, r.bytes.data());
    return r;
}
inline long double FromReal48(const Real48& r) { return LoadReal48(r.bytes.data()); }

// The value after a round trip through the stored form (what a store keeps);
// EOverflowError as StoreReal48.
long double RoundToReal48(long double value);

}  // namespace cv
