#pragma once
// The quantities of the sample industry, one table entry each: the set it lives
// in, the data category of its cells, whether it is a scalar or an array, and
// the function that writes it into one cell. The generator writes every entry
// into every cell of its category, for every period of its set, in table order;
// a later entry may read what an earlier one wrote into the same cell.
//
// To extend the sample, add the quantity's writer beside its kin and one line
// to the table in sample_quantities.cpp.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/store/cv_data.h"
#include "core/store/data_context.h"
#include "core/store/per_data.h"
#include "core/session/industry.h"

namespace cv::sample {

enum class TSampleSet : std::uint8_t { Constant, Results, Decisions };
enum class TSampleForm : std::uint8_t { Scalar, Array };

// Which periods of its set a quantity is written in. The results of period 0
// on are the model's forecasts: what the model computes is written by hand in
// the history period only, and what only the instructor's full simulation
// computes is written in every period, completing the forecast's arrays.
enum class TSampleMaker : std::uint8_t {
    Every,       // every period of the set
    History,     // the results of the history period only; the forecasts make the later ones
    Completion,  // the results of period 0 on, completing what the forecast made
};

// One cell being written: the industry (for its series), the set, and the
// category and context that select the cell. The context's period is the
// set's period (the current period for the constant part); Cell holds the
// firm, zone and market as the category selects them (0 where it does not).
struct TSampleCell {
    TCvData& industry;
    TCvPerData& set;
    int category;
    TDataContext context;
    TCellIndex cell;

    std::int16_t Period() const { return context.SelPeriod; }
};

using TSampleWriter = void (*)(const TSampleCell& cell, std::string_view name);

struct TSampleQuantity {
    std::string_view name;
    TSampleSet set;
    int category;
    TSampleForm form;
    TSampleWriter write;
    TSampleMaker maker = TSampleMaker::Every;
};

// Every quantity of the sample, in writing order.
std::span<const TSampleQuantity> SampleQuantities();

// The periods of the sets of kind Set that the sample holds (one period, the
// current one, for the constant part).
std::vector<std::int16_t> SamplePeriods(TSampleSet set);
// The periods whose set Quantity is written in.
std::vector<std::int16_t> SamplePeriods(const TSampleQuantity& quantity);
// The cells of Category: every firm, zone and market of the sample that the
// category distinguishes, 0 for the others; firm outermost, market innermost.
std::vector<TCellIndex> SampleCells(int category);
// The context that selects Cell of a set of Period.
TDataContext SampleContext(std::int16_t period, const TCellIndex& cell);

// The set of kind Set and Period of Industry.
TCvPerData& SampleSet(TCvData& industry, TSampleSet set, std::int16_t period);

// Writes the quantities of the constant part into Industry, whose series list
// holds the sample's series and whose series-index table is filled from it.
void WriteSampleConstantPart(TCvData& industry);
// Writes the quantities of the periodic sets into Industry, opened with its
// constant part and its series set up: the history period's results and period
// 0's decisions; then, period by period, the model's forecast, what completes
// its results, and the decisions of the next period.
void WriteSamplePeriods(TCvInd& industry);
// Writes what completes the model's results of Period, as the instructor's
// full simulation would: the studies, the coverage, the messages.
void CompleteSampleResults(TCvInd& industry, std::int16_t period);

}  // namespace cv::sample
