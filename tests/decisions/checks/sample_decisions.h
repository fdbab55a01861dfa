#pragma once
// The sample industry for the decision checks: its complete decisions, without
// restrictions, written once per test suite, with the shipped language file as
// the program's translator; each test opens its own copy, changes a decision
// and sees what the checks say about it.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/message_list.h"
#include "core/session/industry.h"
#include "core/store/data_context.h"
#include "tests/support/temp_dir.h"

namespace cv::test {

class SampleDecisions : public ::testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    TCvInd& Industry() { return *industry_; }
    TCvPerData& NewDecs();
    // Firm 1 (team A) in Zone, current period 3, decision period 4.
    static TDataContext Context(int zone = 1, int market = 0);
    // A decision array of team A in Zone and Market (0 = none for the category).
    TSimArr& Decision(std::string_view name, int category, int zone, int market);

    // Sets the bit of Item in Category's word of the restriction array ("RestrictEnabled" or "RestrictHidden").
    void Restrict(std::string_view array, std::string_view category, std::string_view item);

    // The message keys of Messages, found by matching each headline against
    // the first line of the check keys' entries.
    static std::vector<std::string> Keys(const TQnInfos& messages);

private:
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<TCvInd> industry_;
};

}  // namespace cv::test
