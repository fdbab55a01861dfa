#pragma once
// The shape of the sample industry: its name, periods, firms, zones and markets.
// Every table of the generator is written against these numbers.

#include <array>
#include <cstdint>
#include <string_view>

#include "core/store/volume_set.h"

namespace cv::sample {

// Base name of every file the generator writes, and the scenario name of the info volume.
inline constexpr std::string_view kIndustryName = "SAMPLE";
inline constexpr std::string_view kScenarioName = "SAMPLE";

// The period the instructor has just run; the teams decide for the next one.
inline constexpr std::int16_t kCurrentPeriod = 3;
inline constexpr std::int16_t kDecisionPeriod = kCurrentPeriod + 1;
// Results exist from the history period -1 up to the current period; decisions
// from period 0 up to the decision period, whose set the instructor lays down
// for the teams to edit (cv::kFirstResultPeriod, cv::kFirstDecisionPeriod).
inline constexpr std::int16_t kLastSampleResultPeriod = kCurrentPeriod;
inline constexpr std::int16_t kLastSampleDecisionPeriod = kDecisionPeriod;

// Firms are played by teams named by one letter (A, E, I, O, U or Y).
inline constexpr std::array<std::string_view, 4> kTeamLetters{"A", "E", "I", "O"};
inline constexpr int kFirmCount = static_cast<int>(kTeamLetters.size());
inline constexpr int kZoneCount = 2;
inline constexpr int kMarketCount = 3;
// Segments of each market, the same in both zones (their labels: sample_series.cpp).
inline constexpr std::array<int, kMarketCount> kSegmentCounts{3, 5, 2};

// The firm a team's working copy belongs to ("WhichTeam"): team A.
inline constexpr std::int16_t kHomeFirm = 1;

// Every date the industry file records: 1 January 2001, noon. A fixed clock
// keeps the generated files identical from one run to the next.
inline constexpr TDateTime kSampleDateTime = 36892.5;

// Seed of the shared random generator while the sample is written.
inline constexpr std::uint32_t kSampleSeed = 20010101;

}  // namespace cv::sample
