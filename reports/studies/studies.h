#pragma once
// The market-study screens. A study that a firm bought is shown as report
// screens filled from the period's results for the zone and market of the data
// context. TStudies decides whether a screen may be shown at all (the study is
// allowed, applicable and bought, or the administrator looks) and otherwise
// shows the "StuInfos" explanation instead; TStuMkt holds the market-level
// screens 1..25, TStuFta the zone-level benchmarking screens 51..55.
//
// Screens are created with TCVScreen::Create<TStuMkt>(owner, context, screen,
// layout): kWindowLayout builds and shows at once, kDocumentLayout leaves the
// build to a document, which skips a screen whose empty flag is set.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "reports/screen/result_screen.h"
#include "ui/report/screen_layout.h"
#include "ui/report/table_number_formats.h"
#include "ui/report/table_shape.h"

namespace cv {

class TCvInterf;
class TSeries;

// Whether a study screen is shown, and if not, why.
enum TStudyStatus : int { ssNotAllowed = 1, ssNotApplicable = 2, ssNotBought = 3, ssShown = 4 };

class TStudies : public TResult {
public:
    int ScreenNumber() const { return screen_; }
    const std::string& StudyKey() const { return studyKey_; }
    int StudyIndex() const { return studyIndex_; }
    // 1 not allowed, 2 not applicable, 3 not bought, 4 shown (tested in that order).
    int GetStatus() const;

protected:
    TStudies(QWidget* owner, const TDataContext& context, int screen, const TScreenLayout& layout);

    virtual bool IsAllowed() const { return true; }
    virtual bool NotApplicable() const { return false; }
    virtual bool IsOrdered() const { return true; }

    // Replaces the table by the "StuInfos" explanation of Status and marks the
    // screen empty; MarketLevel picks the study label's series.
    void WriteNotShown(int status, bool marketLevel);
    // Whether the instructor restricted or hid the study in Category.
    bool Restricted(const std::string& category) const;
    // Element StudyIndex of the decision set's byte array Name is 1.
    bool Bought(int category, const char* name) const;

    // Defines the table by Shape and remembers it for the row helpers.
    void Define(const TTableShape& shape);
    int TitleRow() const;
    int BodyRow(int n) const;    // body row N, from 1
    int FooterRow(int n) const;  // footer row N, from 1
    int LastColumn() const;
    int LastRow() const;
    // The common finish: label columns left, the others right, centred
    // vertically without wrap; Format on body rows First..Last (numbers from 1,
    // footers following the body); the columns spread over 100 characters.
    void FinishTable(std::optional<TNumberFormat> format, int firstBodyRow, int lastBodyRow);
    // Row's cells of every column in the emphasis (bold) font.
    void Emphasise(int row) { SetBold(row, 1, LastColumn()); }

    // A number of an array of the results set that may be missing or smaller
    // than the screen expects: 0 for any element outside it.
    static double Value(const TSimArr* array, const TIndex& index);
    // A real of the constant data (category Category), Default when missing.
    double ConstantReal(int category, const char* name, double defaultValue) const;

    int screen_;
    std::string studyKey_;
    int studyIndex_ = 127;
    TTableShape shape_;
};

class TStuMkt : public TStudies {
public:
    TStuMkt(QWidget* owner, const TDataContext& context, int screen, const TScreenLayout& layout);

    void Build(const TDataContext& context) override;

protected:
    bool IsAllowed() const override;
    bool NotApplicable() const override;
    bool IsOrdered() const override;

private:
    void SetStudyName();
    // The common opening of a builder: texts of Section, the table (Type in a
    // window) with the caption lines, then the status test; false when the
    // "StuInfos" explanation was shown instead.
    bool Open(const std::string& section, const std::string& tableName, TTableType windowType,
              const std::vector<int>& titleLines, const std::vector<int>& noteLines = {});

    // A segment or channel dimension spread over columns: element i (from 1)
    // of Count stands in column LabelColumns + i x Width.
    struct TDimension {
        int count = 0;
        int lo = 1;
        int width = 1;
        std::vector<std::string> labels;
        int Column(int labelColumns, int i) const { return labelColumns + i * width; }
    };
    TDimension Segments(bool shortLabels) const;
    TDimension Channels() const;
    TDimension SemanticScales() const;
    TDimension MapDimensions() const;
    // The elements of Series with their labels; none without the series.
    static TDimension Spread(const TSeries* series, const std::function<std::string(int element)>& label);

    // One row per marketed brand, firm by firm, from body row 1: firm label on
    // its first brand, the brand name in column 2, Write filling the rest; a
    // line over the row after each firm, which CloseFirm (given the firm's
    // first row and the row after its brands) may first move down by answering
    // a later row. Returns the row after the block.
    using TFirmCloser = std::function<int(int firstRow, int row)>;
    int WriteBrandBlock(const std::function<void(int row, int brand)>& write, const TFirmCloser& closeFirm = {});
    int MarketedBrands() const;
    // The context's segment, the market's first when it names none of them.
    int ShownSegment() const;
    // The body rows of a brand list: 31, or one per brand when more are marketed.
    int BrandRows() const;
    // The heading row of a brand list: Firm and Brand lines, the element
    // labels of Dimension after the label columns, and the total's label in Tail when above 0.
    void WriteBrandHeading(int firmLine, int brandLine, const TDimension& dimension, int tail);

    void BuildAwareness();
    void BuildShoppingHabits();
    void BuildUnitShares();
    void BuildDistributionCoverage();
    void BuildIdealPoints();
    void BuildBrandPositions();
    // Each semantic scale's label and unit in Row, from FirstColumn on.
    void WriteScaleHeadings(int row, int firstColumn);
    void BuildSemanticEstimation();
    void BuildMapRegression();
    void WriteRegressionStatistics(const std::vector<double>& stats, int scales);
    void BuildMapInfluence();
    void BuildIdealPointHistory();
    void WriteTrend(const TDimension& elements, const std::vector<std::vector<double>>& values,
                    const std::vector<bool>& hadBrands);
    void BuildMarketForecast();
    void BuildCompetitiveIntelligence();
    void BuildExperiment();
    void BuildConjointWeights();
    void BuildConjointUtilities();
    // The conjoint attribute (1..4) that semantic scale K stands for; 0 for none.
    int ConjointAttribute(int scale) const;

    TCvInterf* query_ = nullptr;  // only during Build
};

class TStuFta : public TStudies {
public:
    TStuFta(QWidget* owner, const TDataContext& context, int screen, const TScreenLayout& layout);

    void Build(const TDataContext& context) override;

protected:
    bool IsAllowed() const override;
    bool IsOrdered() const override;

private:
    void BuildBenchmark();
    // One value row of firm Firm's column: Element of Report (negated when
    // Negate), in thousands or as a share of the firm's retail sales.
    void WriteBenchmarkRow(const TSimArr* report, int firm, int row, int element, bool negate);

    bool percentage_ = false;
};

}  // namespace cv
