#include "tools/sample_industry/sample_teams.h"

#include <stdexcept>

#include "tools/sample_industry/sample_layout.h"
#include "core/session/team_password.h"

namespace cv::sample {

namespace {

// Team I's password is the marker of a team that opens without one.
constexpr std::string_view kTeamPasswords[kFirmCount] = {"CV3-4817", "CV3-2093", kNoPasswordMarker, "CV3-7350"};

std::size_t TeamSlot(std::int16_t firm) {
    if (firm < 1 || firm > kFirmCount)
        throw std::out_of_range("sample industry: no team for firm " + std::to_string(firm));
    return static_cast<std::size_t>(firm - 1);
}

}  // namespace

std::string_view TeamLetter(std::int16_t firm) { return kTeamLetters[TeamSlot(firm)]; }

std::string_view TeamPassword(std::int16_t firm) { return kTeamPasswords[TeamSlot(firm)]; }

std::int32_t TeamPasswordKey(std::int16_t firm) {
    return TeamPasswordChecksum(std::string(TeamLetter(firm)) + std::string(TeamPassword(firm)));
}

}  // namespace cv::sample
