#include "tests/model/rnd/rnd_sample.h"

#include "core/store/byte_buffer.h"
#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/sim_data.h"
#include "core/base/log_file.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv::test {

RnDSampleTest::RnDSampleTest() {
    const std::string file = sample::WriteSampleIndustryFile(temp.path()).string();  // before the log: see its header
    DebugLevel = 5;
    LogOpen(temp / "RND", 0);
    industry.Open(std::string(kIndustrySignature), file);
    industry.InitSeries();
}

RnDSampleTest::~RnDSampleTest() {
    industry.Close();
    LogClose();
    DebugLevel = 0;
}

TDataContext RnDSampleTest::Context(std::int16_t firm, std::int16_t market) const {
    TDataContext context;
    context.SelPeriod = industry.CurPeriod();
    context.CurPeriod = industry.CurPeriod();
    context.DecPeriod = static_cast<std::int16_t>(industry.DecPeriod());
    context.SelFirm = firm;
    context.SelFta = 2;
    context.SelMarket = market;
    return context;
}

std::string RnDSampleTest::LogText() const {
    LogFlush();
    return ReadFileBytes(temp / "RND00.TXT");
}


// Through the bag's stored form: reading a bag replaces all it held.
void RnDSampleTest::ReplaceCell(TCvPerData& set, const TCellIndex& cell, const TSimData& content) {
    std::vector<std::uint8_t> bytes(kBufSize);
    std::uint16_t end = 0;
    content.WriteToBuffer(TPutBuf(bytes), end);
    std::uint16_t start = 0;
    set.Cell(cell)->ReadFromBuffer(TGetBuf(bytes.data(), end), start);
}

TDynArr RnDSampleTest::RowsOf(int rows, const std::string& columns) const {
    const TSeries* series = industry.FindSeries(columns);
    TDynArr array;
    array.Init(dkReal48, 0, 2, {1, series->Lo()}, {rows, series->Hi()});
    return array;
}

TDynArr LevelRows(std::initializer_list<std::vector<double>> rows) {
    const int columns = static_cast<int>(rows.begin()->size());
    TDynArr array;
    array.Init(dkReal48, 0, 2, {1, 1}, {static_cast<int>(rows.size()), columns});
    int row = 1;
    for (const std::vector<double>& values : rows) {
        for (int column = 1; column <= columns; ++column) array.SetReal48({row, column}, values[column - 1]);
        ++row;
    }
    return array;
}

}  // namespace cv::test
