#include "tests/support/read_table_watch.h"

#include "core/store/industry_file.h"
#include "core/store/industry_reads.h"
#include "core/store/per_data.h"

namespace cv::test {
namespace {

std::string ReadText(const TNamedRead& read) {
    return std::string(read.array ? "array " : "scalar ") + std::string(read.name) + " of the " + std::string(SetKindText(read.set)) +
           ", category " + std::to_string(read.category);
}

}  // namespace

ReadTableWatch::ReadTableWatch() { ObserveReads(this); }

ReadTableWatch::~ReadTableWatch() { ObserveReads(nullptr); }

void ReadTableWatch::Read(const TNamedRead& read) {
    const TIndustryRead* entry =
        FindIndustryRead(read.set, read.category, read.name, read.array ? TReadForm::array : TReadForm::scalar);
    if (entry == nullptr) {
        uncovered_.insert(ReadText(read) + ": the table lacks it");
        return;
    }
    if (read.withDefault || !read.fromFile) return;
    if (entry->need == TReadNeed::optional)
        uncovered_.insert(ReadText(read) + ": read without a default, the table lets a file do without it");
    else if (read.set != vtConstant && read.period < entry->firstPeriod)
        uncovered_.insert(ReadText(read) + ": read without a default in period " + std::to_string(read.period) +
                          ", before the table's first period");
}

std::string ReadTableWatch::Report() const {
    std::string text;
    for (const std::string& line : uncovered_) text += line + "\n";
    return text;
}

}  // namespace cv::test
