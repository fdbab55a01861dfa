// The parameters that the production model and the decision checks read from
// the constant part of a zone and market: the largest price change, the
// experience curve and the production tolerance. Only the North's market M1
// holds them; every other cell takes their defaults.

#include <stdexcept>
#include <string>

#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

struct TCheckParameter {
    std::string_view name;
    long double value;
};

constexpr TCheckParameter kCheckParameters[] = {
    {"MaxPriVar1", 0.25L}, {"ExpEffReduc", 0.9L}, {"ExpEffMult", 2}, {"ExpEffBatch", 20000}, {"AdjustProdPlan", 0.15L},
};

constexpr std::int16_t kParameterZone = 1;
constexpr std::int16_t kParameterMarket = 1;

}  // namespace

void WriteCheckParameter(const TSampleCell& cell, std::string_view name) {
    if (cell.cell.zone != kParameterZone || cell.cell.market != kParameterMarket) return;
    for (const TCheckParameter& parameter : kCheckParameters)
        if (parameter.name == name) return cell.set.SetReal(cell.category, cell.context, name, parameter.value);
    throw std::logic_error("sample industry: no value for the parameter " + std::string(name));
}

}  // namespace cv::sample
