#pragma once
// TBgtScreen: the team's budget for the decision period in the context's zone,
// recomputed from the decisions as they stand at every build. Kind 1 sets the
// total budget against the expenses and shows the balance left, kind 2 lists
// the brand expenses of one market brand by brand, kind 3 the R&D expenses of
// every market project by project.

#include <cstdint>
#include <optional>

#include "reports/screen/result_screen.h"

namespace cv {

class TFtaBudget;

class TBgtScreen : public TResult {
public:
    enum TKind : int { kTotalBudget = 1, kBrandBudget = 2, kRnDBudget = 3 };

    TBgtScreen(QWidget* owner, const TDataContext& context, int kind, const TScreenLayout& layout);

    void Build(const TDataContext& context) override;
    int Kind() const { return kind_; }

private:
    void BuildTotalBudget();
    void WriteMarketTotals(int market, int origin, int markets);
    void WriteFirmTotals(int origin);
    void BuildBrandBudget();
    void WriteBrandColumn(int brand, int origin);
    void BuildRnDBudget();
    void WriteMarketProjects(int market, int origin);

    // Writes row_ of column_ (an empty row without Value) and moves to the
    // next row; on the first column the row also gets its firm total formula,
    // and its border and bold font when asked.
    void WriteRow(std::optional<double> value, bool bottomBorder, bool bold);
    // Marks Row with the warning line LineNo, red and bold in a window.
    void WriteBudgetNote(int row, int lineNo);

    static constexpr int kThousandsLine = 6;  // "Units" line of amounts in thousands

    int kind_;
    const TFtaBudget* budget_ = nullptr;
    int headingCols_ = 0;
    int bodyCols_ = 0;
    int row_ = 0;
    int column_ = 0;
    bool firstColumn_ = false;
};

}  // namespace cv
