// dump_volset FILE: lists a volume-set file (header, keys, volume table) and
// what every volume holds: for an industry file the info volume, the series
// list and every cell's bag decoded, for another set the first bytes of each
// volume. The file is opened read-only and never changed.

#include <iostream>

#include "core/store/industry_dump.h"
#include "core/base/errors.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: dump_volset FILE\n";
        return 2;
    }
    try {
        cv::DumpVolSetFile(argv[1], std::cout);
    } catch (const cv::ECvError& error) {
        std::cout.flush();
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
