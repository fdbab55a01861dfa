#pragma once
// The newsletter: what every team reads about the whole industry after a
// period, six pages of one screen class. TNewsScr builds page Page (1 stock
// market, 2 economic variables, 3 study prices, 4 brand characteristics, 6 the
// scorecard of every firm)
// into its report table, for the newsletter page window (mode 3) or off-screen
// for the document (mode 2).

#include <functional>
#include <string>

#include "reports/screen/result_screen.h"

namespace cv {

class TNews : public TResult {
protected:
    using TResult::TResult;
};

class TNewsScr : public TNews {
public:
    enum TPage : int {
        kStockMarket = 1,
        kEconomicVariables = 2,
        kStudyPrices = 3,
        kBrandCharacteristics = 4,
        kBrandSales = 5,
        kScoreCard = 6
    };
    // The scorecard's presentation modes, from the page's first option group (values when unset).
    enum TScoreMode : int { kValuesMode = 1, kGrowthMode = 2, kIndexMode = 3 };

    TNewsScr(QWidget* owner, const TDataContext& context, int page, const TScreenLayout& layout);

    void Build(const TDataContext& context) override;
    int Page() const { return page_; }

private:
    void BuildStockMarket();

    void BuildEconomicVariables();
    // Writes the label and unit, and for a row with values the two values and
    // their change, into the current row; with Border a line above it.
    void WriteEcoRow(const std::string& label, const std::string& unit, bool border);
    void WriteCostRow(int lineNo, const char* scalarName);

    void BuildStudyPrices();
    // The price in thousands, paid in the next period, of a study of reference cost Cost.
    double StudyPrice(double cost) const;

    // The body rows of a brand page: the usual 31, more when more brands are marketed.
    static constexpr int kBrandBodyRows = 31;
    static int BrandBodyRows(int brands);
    struct TListedBrand {
        int brand;      // index among the marketed brands
        int firm;       // the marketing firm and its brand number
        int firmBrand;
        int protoFirm;  // the firm holding the prototype, and its index
        int prototype;
        std::string name;
    };
    using TBrandRowWriter = std::function<void(int row, const TListedBrand& brand)>;
    // Lists the Brands marketed brands firm by firm from FirstRow (firm label
    // on a block's first row, brand name), Write filling the rest of each row,
    // a line above each block's next row up to LastColumn; the row after the last.
    int WriteBrandsByFirm(int firstRow, int brands, int lastColumn, const TBrandRowWriter& write);
    void BuildBrandCharacteristics();

    void BuildBrandSales();
    // The brand's sales-weighted growth factor of its segments (1 without sales).
    double MarketGrowthFactor(int brand) const;
    // One column group from FirstColumn: before, now, growth and share.
    void WriteSalesGroup(int row, int firstColumn, double before, double now, double share);
    void WriteSalesTotals(int row, int firstColumn, int firstBodyRow, int lastBodyRow);

    void BuildScoreCard();
    void WriteFirmColumn(int markets);
    void WriteSectionTitle(int lineNo);
    // One row of the current firm's column from "FfxRpt" (a negative base
    // element: the zone's stock-price index base) or from "FfmRpt" of the
    // context's market; Border draws a line below it.
    void WriteFirmScore(const std::string& label, int unitsLine, int element, int baseElement, double scale,
                        bool border);
    void WriteMarketScore(const std::string& label, int unitsLine, int element, int baseElement, bool border);
    void WriteScoreValue(const std::string& label, int unitsLine, bool border, double now, double previous,
                         double base);
    void FormatScoreCard(int originRow, int lastRow, int firms, int markets);

    int page_;
    double salaryIndexNow_ = 0;   // the zone's salary money index of the period shown
    double salaryIndexNext_ = 0;  // and of the period after it
    int row_ = 0;                 // the next row a row writer fills
    double now_ = 0, next_ = 0;   // the values of the row being written
    int column_ = 0;              // the scorecard's column being written
    int mode_ = kValuesMode;      // the scorecard's presentation mode
};

}  // namespace cv
