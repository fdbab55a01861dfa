#pragma once
// The instructor's side of a period of the sample industry, standing in for
// the instructor's program in tests of the whole game: the teams' archives are
// taken from the exchange directory, each team's decisions of the decision
// period replace that firm's in the instructor's industry, our model runs the
// period over every firm's decisions (a firm that sent nothing keeps the ones
// laid down for it), what completes the results is written as for the sample,
// the period becomes the current one, and the industry archive and the team
// descriptors of the next decision period are written for the teams.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace cv::sample {

struct TInstructorPeriod {
    std::int16_t period = 0;            // the period run, now the current one
    std::vector<std::string> teams;     // the letters of the teams whose decisions were taken
    std::vector<std::string> warnings;  // what the model said of the decisions
};

// Runs the decision period of InstructorDir/SAMPLE.ind with the archives in
// ExchangeDir (each is consumed: removed once its decisions are in), then
// writes ExchangeDir/SAMPLE.rzx and the descriptors. Failures raise (a damaged
// archive or industry, a failed run, a period past the last) and leave the
// industry file as it was.
TInstructorPeriod RunInstructorPeriod(const std::filesystem::path& instructorDir,
                                      const std::filesystem::path& exchangeDir);

}  // namespace cv::sample
