#pragma once
// TBrdResult: the results of each brand the firm markets in the selected
// market, one column per brand. Kind 1, the brand contribution statement
// (sales, prices, production, costs, contribution before and after
// marketing); kind 2, the same under the marketing plan's title; kind 3, the
// brand market results (market shares and distribution coverage by channel).
// A firm with more than five brands gets a column for each.

#include "reports/screen/result_screen.h"

namespace cv {

enum class TBrdResultKind : std::int32_t { Contribution = 1, PlanContribution = 2, MarketResults = 3 };

class TBrdResult : public TResult {
public:
    // Kind is the caller's number; another than 1..3 builds no table.
    TBrdResult(QWidget* owner, const TDataContext& context, int kind, const TScreenLayout& layout)
        : TResult(owner, context, layout), kind_(kind) {}

    void Build(const TDataContext& context) override;

private:
    struct TBrandRow;
    void BuildContribution();
    void BuildMarketResults();
    void WriteContributionLabels();
    void WriteBrandRow(const TBrandRow& brandRow, int row, int brand, int brandColumns, const TSimArr* report);
    void WriteMarketShares(int brand, int channelCount, const TSimArr* report, const TSimArr* distributors,
                           const TSimArr* zoneResults);

    int kind_;
};

}  // namespace cv
