#pragma once
// The sample industry: a small, coherent industry (4 firms, 2 zones, 3 markets,
// current period 3) and the files the instructor sends its teams, written
// through the program's own data store. Tests write it into a temporary
// directory; "make run" writes it with tools/make_sample_industry.
//
// Its content is laid out in docs/sample_industry.md; the quantities it holds
// are the table of sample_quantities.h.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace cv::sample {

// Which decisions of the decision period the sample holds.
enum class TSampleDecisions : std::uint8_t {
    Sample,    // the sample's own: brands, studies, R&D and the plan's segment sizes decided, the sales force not yet
    Fresh,     // the default decisions only, as the last forecast laid them down
    Complete,  // every decision group taken, every check passes, a valid marketing plan
};

// Which restrictions the instructor set for the teams.
enum class TSampleRestrictions : std::uint8_t {
    None,            // nothing disabled or hidden: the sample "make run" installs
    Several,         // two items disabled (the sales-force assistant, conjoint analysis), two hidden
                     // (the growth-share chart, the sales-force experiment)
    NoSlf,           // the sales-force decisions disabled
    NoMarketingPlan, // the marketing plan disabled
    StudyHidden,     // one market study hidden (the sales-force experiment)
    NoBenchmarking,  // the benchmarking graphs disabled
};

// A variant of the sample: the same industry with other decisions of the
// decision period or other restrictions. Tests build each with the writers
// below; "make run" installs the default one, which restricts nothing. Under
// every variant the decision period orders only the studies its restrictions
// leave open to the teams.
struct TSampleVariant {
    TSampleDecisions decisions = TSampleDecisions::Sample;
    TSampleRestrictions restrictions = TSampleRestrictions::None;
};

struct TSampleFiles {
    std::filesystem::path industry;                  // the industry file, "SAMPLE.ind"
    std::filesystem::path archive;                   // the industry archive, "SAMPLE.rzx"
    std::vector<std::filesystem::path> descriptors;  // "SAMPLE.mrA", "SAMPLE.mrE", "SAMPLE.mrI"
};

// Writes the industry file into Directory (created when missing), replacing an
// earlier one. The bytes are the same at every call: the file's dates come from
// a fixed clock and its draws from a fixed seed (the shared random generator's
// seed is restored afterwards). Uses the global series-index table while it
// writes and leaves it reset. The history is made by running the model, which
// writes the program's one log: with a log open it refuses (std::logic_error),
// so write the sample before opening one. Failures raise (EVolSetError,
// std::filesystem errors, std::logic_error, ...) and leave no partial file behind.
std::filesystem::path WriteSampleIndustryFile(const std::filesystem::path& directory,
                                              const TSampleVariant& variant = {});

// The industry file, its archive and the team descriptors.
TSampleFiles WriteSampleIndustry(const std::filesystem::path& directory, const TSampleVariant& variant = {});

}  // namespace cv::sample
