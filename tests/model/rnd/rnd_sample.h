#pragma once
// The sample industry opened as the R&D dialogs and the R&D run see it, with a
// log file to read back and helpers that reshape its cells for one test.
//
// Sample facts the R&D tests rely on (docs/sample_industry.md): current period
// 3, decision period 4; home zones A 1, E 2, I 1; market M2 has the dimensions
// Size (1..20, budget -50,000, unit cost -5, factor 0.8), Speed (10..200,
// 10,000, 1.5, 0.75) and Price (50..500, 2,000, 0.2, 0.9); "UCParams" holds 1,500
// at "TDMaxLev" and 20,000 at "TDDevBgt"; "MinRnDBgt" is 100,000.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/store/data_context.h"
#include "core/store/sim_data.h"
#include "core/store/typed_array.h"
#include "core/session/industry.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"

namespace cv::test {

inline constexpr std::int16_t kFirmA = 1;
inline constexpr std::int16_t kFirmE = 2;
inline constexpr std::int16_t kMarketM1 = 1;
inline constexpr std::int16_t kMarketM2 = 2;

class RnDSampleTest : public ::testing::Test {
protected:
    RnDSampleTest();
    ~RnDSampleTest() override;

    // The context of Firm and Market in the current period, zone 2 (Init replaces it).
    TDataContext Context(std::int16_t firm, std::int16_t market) const;
    // Everything logged so far.
    std::string LogText() const;
    // Leaves the cell of Set with the scalars and arrays of Content only.
    static void ReplaceCell(TCvPerData& set, const TCellIndex& cell, const TSimData& content);
    // A real array of rows 1..Rows by the columns of the series Columns.
    TDynArr RowsOf(int rows, const std::string& columns) const;

    RecordingUi ui;
    TempDir temp;
    TCvInd industry;
};

// Row i of the result holds Rows[i - 1] over columns 1.. (a market's dimensions).
TDynArr LevelRows(std::initializer_list<std::vector<double>> rows);

}  // namespace cv::test
