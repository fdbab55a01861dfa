#pragma once
// The SHA-256 digest (FIPS 180-4) of a byte string, and hexadecimal texts of
// bytes. Used where a secret is stored only as a salted digest.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cv {

using TSha256Digest = std::array<std::uint8_t, 32>;

TSha256Digest Sha256(std::string_view bytes);

// Bytes as lower-case hexadecimal, two digits each.
std::string HexText(std::string_view bytes);
// The bytes of a hexadecimal text (either case); nothing for an odd length or
// any other character.
std::optional<std::string> HexBytes(std::string_view text);

}  // namespace cv
