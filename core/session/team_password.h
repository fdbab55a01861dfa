#pragma once
// The team-password checksum. The instructor stores it as a team's "KeyPwd"
// (team descriptor) and "TeamPwdKey" (constant part of the industry), computed
// over the team letter followed by the team's password; the team side accepts a
// typed password when the checksum of its letter and the typed text matches.
// Both sides must use this one function.
//
// The checksum is the CRC-32 (polynomial 0xEDB88320, as zip files use) of the
// text's Windows-1252 bytes (the program's own text encoding), read as a
// signed 32-bit integer. docs/exchange.md gives it as the exchange contract.

#include <cstdint>
#include <string_view>

namespace cv {

// A team whose password is this text opens its industry without typing one.
inline constexpr std::string_view kNoPasswordMarker = "TELVORANK5";

std::int32_t TeamPasswordChecksum(std::string_view text);

// Whether a descriptor's "KeyPwd" lets team Letter open without a password:
// the checksum of the letter followed by the marker, or of the marker alone.
bool IsNoPasswordKey(std::string_view letter, std::int32_t keyPwd);

}  // namespace cv
