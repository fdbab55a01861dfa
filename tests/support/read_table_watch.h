#pragma once
// Holds the program's reads against the table of what it reads
// (core/store/industry_reads.h) while it watches: a name the table lacks for
// the set and category it was read from, or one read without a default from a
// set read from the file that the table lets a file do without (or holds only
// from a later period), is noted, so that a test run over the program's
// windows finds the table whole. What the model reads back from the forecast
// it makes in memory is its own, whatever the file holds.

#include <set>
#include <string>

#include "core/store/read_observer.h"

namespace cv::test {

class ReadTableWatch : public TReadObserver {
public:
    ReadTableWatch();
    ~ReadTableWatch() override;
    ReadTableWatch(const ReadTableWatch&) = delete;
    ReadTableWatch& operator=(const ReadTableWatch&) = delete;

    void Read(const TNamedRead& read) override;
    // Each read the table does not cover, once, as a line of text.
    const std::set<std::string>& Uncovered() const { return uncovered_; }
    // Uncovered() one per line, for a failure message.
    std::string Report() const;

private:
    std::set<std::string> uncovered_;
};

}  // namespace cv::test
