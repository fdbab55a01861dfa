// run_sample_period <instructor directory> <exchange directory>
// Stands in for the instructor's program on the sample industry: takes the
// teams' archives from the exchange directory, runs the decision period of
// <instructor directory>/SAMPLE.ind over every firm's decisions, and leaves
// the industry archive and the team descriptors of the next period in the
// exchange directory.

#include <exception>
#include <iostream>

#include "tools/sample_industry/sample_instructor.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: run_sample_period <instructor directory> <exchange directory>\n";
        return 2;
    }
    try {
        const cv::sample::TInstructorPeriod run = cv::sample::RunInstructorPeriod(argv[1], argv[2]);
        std::cout << "Period " << run.period << " run; decisions taken from teams:";
        for (const std::string& team : run.teams) std::cout << ' ' << team;
        std::cout << '\n';
        for (const std::string& warning : run.warnings) std::cout << "  warning: " << warning << '\n';
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "run_sample_period: " << error.what() << '\n';
        return 1;
    }
}
