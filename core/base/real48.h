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
// Exact conversion of six stored bytes (inline: the hottest read of the program).
inline long double LoadReal48(const std::uint8_t* bytes) {
    if (bytes[0] == 0) return 0.0L;
    std::uint64_t fraction = 0;
    for (int i = 4; i >= 0; --i) fraction = (fraction << 8) | bytes[1 + i];
    fraction &= kReal48FractionMask;
    // The x87 layout: 64-bit significand with its leading bit, then sign and exponent.
    const std::uint64_t significand = (std::uint64_t{1} << 63) | (fraction << 24);
    const std::uint16_t signAndExponent =
        static_cast<std::uint16_t>((bytes[0] + kExtendedToReal48Bias) | ((bytes[5] & 0x80) ? 0x8000 : 0));
    long double value = 0;
    std::memcpy(&value, &significand, 8);
    std::memcpy(reinterpret_cast<char*>(&value) + 8, &signAndExponent, 2);
    return value;
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
