#pragma once
// The sample industry: a small, coherent industry (4 firms, 2 zones, 2 markets,
// current period 3) and the files the instructor sends its teams, written
// through the program's own data store. Tests write it into a temporary
// directory; "make run" writes it with tools/make_sample_industry.
//
// Its content is laid out in docs/sample_industry.md; the quantities it holds
// are the table of sample_quantities.h.

#include <filesystem>
#include <vector>

namespace cv::sample {

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
std::filesystem::path WriteSampleIndustryFile(const std::filesystem::path& directory);

// The industry file, its archive and the team descriptors.
TSampleFiles WriteSampleIndustry(const std::filesystem::path& directory);

}  // namespace cv::sample
