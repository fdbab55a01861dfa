#pragma once
// The teams of the sample industry: their letters (the labels of the firm
// series) and the passwords the instructor gave them.

#include <cstdint>
#include <string>
#include <string_view>

namespace cv::sample {

// The team letter of Firm (1..kFirmCount).
std::string_view TeamLetter(std::int16_t firm);
// The password of Firm's team as the instructor set it ("TeamPwdVal").
std::string_view TeamPassword(std::int16_t firm);
// The team-password checksum of the team letter followed by the password:
// "TeamPwdKey" of the industry and "KeyPwd" of the team's descriptor.
std::int32_t TeamPasswordKey(std::int16_t firm);

}  // namespace cv::sample
