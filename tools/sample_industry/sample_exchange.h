#pragma once
// The files the instructor sends the teams: the industry archive and one team
// descriptor per team.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "tools/sample_industry/sample_layout.h"

namespace cv::sample {

// Writes Directory/<industry name>.rzx, a zip archive whose one entry is the
// industry file stored as "<industry name>.tmp" without a directory. The entry
// carries a fixed date and permissions, so the archive's bytes depend only on
// the industry file's. Raises std::runtime_error naming the zip result code.
std::filesystem::path WriteIndustryArchive(const std::filesystem::path& industryFile,
                                           const std::filesystem::path& directory);

// Writes Directory/<industry name>.mr<team letter> for every team: section
// "Team" with "KeyPwd" (the team-password checksum of the letter and the
// password) and "CurPer" (the decision period, the sample's by default).
// Returns them in firm order.
std::vector<std::filesystem::path> WriteTeamDescriptors(const std::filesystem::path& directory,
                                                        std::int16_t decisionPeriod = kDecisionPeriod);

// Rewrites Firm's descriptor in Directory with the no-password marker's other
// form as "KeyPwd": the checksum of the marker alone, without the letter.
std::filesystem::path WriteNoPasswordDescriptor(const std::filesystem::path& directory, std::int16_t firm);

}  // namespace cv::sample
