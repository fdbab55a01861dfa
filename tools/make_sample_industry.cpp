// make_sample_industry <output directory>
// Writes the sample industry and the files the instructor sends its teams
// (archive, team descriptors) into the directory, and prints where they are.

#include <exception>
#include <iostream>

#include "tools/sample_industry/sample_industry.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_sample_industry <output directory>\n";
        return 2;
    }
    try {
        const cv::sample::TSampleFiles files = cv::sample::WriteSampleIndustry(argv[1]);
        std::cout << "Sample industry written to " << files.industry.parent_path().string() << '\n'
                  << "  industry file:   " << files.industry.filename().string() << '\n'
                  << "  archive:         " << files.archive.filename().string() << '\n';
        for (const auto& descriptor : files.descriptors)
            std::cout << "  team descriptor: " << descriptor.filename().string() << '\n';
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "make_sample_industry: " << error.what() << '\n';
        return 1;
    }
}
