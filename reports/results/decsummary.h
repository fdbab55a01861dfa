#pragma once
// TDecSummary: the decisions the firm took for a period, read-only, in five
// screens: 1 brand decisions, 2 sales force, 3 R&D projects, 4 market-study
// orders, 5 budget change and loan. Every figure comes from the decision set
// of the context's decision period.

#include "reports/screen/result_screen.h"

namespace cv {

class TSeries;

enum class TDecSummaryKind : std::int32_t { Brands = 1, SalesForce = 2, RnD = 3, Studies = 4, Loan = 5 };

class TDecSummary : public TResult {
public:
    // Kind is the caller's number; another than 1..5 builds no table.
    TDecSummary(QWidget* owner, const TDataContext& context, int kind, const TScreenLayout& layout)
        : TResult(owner, context, layout), kind_(kind) {}

    void Build(const TDataContext& context) override;

private:
    void BuildBrands();
    void BuildSalesForce();
    void BuildRnD();
    void BuildStudies();
    void BuildLoan();
    // Opens a build: loads the lines of Key, creates the table (sheet Key,
    // WindowType in a window) and writes title line 1 as the caption.
    TQNTable& StartTable(const std::string& key, TTableType windowType);
    void WriteBrandLabels(int headingCols, int brandColumns);
    void WriteBrandColumn(int brand, int column);
    void WriteObjective(int row, int column, int type, double dimension, double value);
    // Rows of the brands of every market, from Row; returns the next row.
    int WriteAllocations(int row, int channelCount, int lastColumn);
    int SalesForceBrandRows();
    int WriteStudyRows(int row, bool zoneStudies, int marketCount);

    const TSeries* dimensions_ = nullptr;
    const TSeries* channels_ = nullptr;
    const TSeries* segments_ = nullptr;
    int kind_;
};

}  // namespace cv
