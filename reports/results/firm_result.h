#pragma once
// TFirResult: the result screens of the firm as a whole, one class for six
// kinds: the scorecard (1), the net contribution by market (2, and 3 with the
// marketing plan's title), the loan schedule (4 as of the period shown, 5 one
// period ahead for the loan dialog) and the messages the team received (6).
// Each kind fills one report table from the firm's result arrays.

#include <optional>
#include <string>

#include "reports/screen/result_screen.h"

namespace cv {

class TFirResult : public TResult {
public:
    enum TKind : int {
        kScoreCard = 1,
        kNetContribution = 2,
        kPlanContribution = 3,
        kLoanSchedule = 4,
        kLoanRequestSchedule = 5,
        kMessages = 6,
    };

    TFirResult(QWidget* owner, const TDataContext& context, int kind, const TScreenLayout& layout);

    void Build(const TDataContext& context) override;
    int Kind() const { return kind_; }

private:
    // One scorecard row: current value A, previous value B, reference C.
    struct TScoreValues {
        std::optional<double> current, previous, reference;
    };
    struct TScoreRow {
        std::string label;
        int unitsLine;
        bool bold = false;
        bool bottomBorder = false;
    };

    void BuildScoreCard();
    void WriteScoreCardTitles(int originRow);
    void WriteSectionTitle(const std::string& title);
    void WriteFirmScoreRow(const TScoreRow& row, int item, int referenceItem, double scale);
    void WriteMarketScoreRow(const TScoreRow& row, int market, int item, int referenceItem);
    void WriteScoreRow(const TScoreRow& row, const TScoreValues& values);
    void FormatScoreCard(int originRow);

    void BuildNetContribution();
    void WriteMarketContribution(int market, int originRow);
    void WriteNetContributionFirmRows(int originRow);

    void BuildLoanSchedule();
    void WriteLoanTitles(int originRow);

    void BuildMessages();
    void WriteInstructorLines(const char* arrayName, int category);
    void WriteSimulationMessages();
    void WriteMessageLine(const std::string& text);

    // The array Name of the results set of the period before the screen's, or nullptr.
    const TSimArr* PreviousArray(int category, std::string_view name) const;
    int LastColumn() const;
    int MarketCount() const;

    int kind_;
    int row_ = 0;        // the next body row a row writer fills
    int lastBodyRow_ = 0;  // the last row the body may use
};

}  // namespace cv
