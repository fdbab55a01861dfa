#include "core/session/team_password.h"

#include <array>
#include <string>

namespace cv {

namespace {

constexpr std::uint32_t kCrcPolynomial = 0xEDB88320u;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t byte = 0; byte < table.size(); ++byte) {
        std::uint32_t crc = byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1u) ? (crc >> 1) ^ kCrcPolynomial : crc >> 1;
        table[byte] = crc;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

}  // namespace

std::int32_t TeamPasswordChecksum(std::string_view text) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : text) crc = kCrcTable[(crc ^ static_cast<unsigned char>(c)) & 0xFFu] ^ (crc >> 8);
    return static_cast<std::int32_t>(crc ^ 0xFFFFFFFFu);
}

bool IsNoPasswordKey(std::string_view letter, std::int32_t keyPwd) {
    return keyPwd == TeamPasswordChecksum(std::string(letter) + std::string(kNoPasswordMarker)) ||
           keyPwd == TeamPasswordChecksum(kNoPasswordMarker);
}

}  // namespace cv
