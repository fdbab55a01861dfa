#pragma once
// The relation charts of the market studies: each marketed brand's physical
// characteristic (across) against how the study sees it, with the straight
// line fitted through them. TSemEstGraph: the perceived value on the
// characteristic's semantic scale; TMapRelationsGraph: the brand's position
// on one dimension of the perceptual map. Built for the graphs page, they
// also show where each segment's ideal point falls on the fitted line, with
// the text of the fit; for the studies page, the brands under a title.

#include <optional>
#include <string>
#include <vector>

#include "ui/chart/cv_chart.h"

namespace cv {

class TCvPerData;
class TSimArr;

// Who shows the chart.
enum class TRelationPage { Studies, Graphs };

class TRelationGraph : public TCVChart {
public:
    void Build(const TDataContext& context) override;

    int Characteristic() const { return characteristic_; }
    // The number of ideal points drawn on the fitted line.
    int IdealPointCount() const { return idealPointCount_; }
    // The characteristic's range across: the technical range of a physical
    // characteristic, or 0..32767 for one beyond them (the scale then automatic).
    double Low() const { return low_; }
    double High() const { return high_; }

    // One point of the chart: across, up, and the segment of an ideal point.
    struct TRow {
        double x = 0;
        double y = 0;
        int segment = 0;
        int brand = 0;  // a brand's row: its number among the market's brands
    };
    // The pages' first choice: characteristic 6 (the price in a market of five
    // physical dimensions) against map dimension 1 in the first market, 3 in
    // the others; each within the market's own scales or dimensions.
    static int DefaultCharacteristic(int scaleCount);
    static int DefaultDimension(bool firstMarket, int dimensionCount);

    // Rows ordered by x, largest first; rows of equal x as the selection sort
    // of the study tables leaves them.
    static std::vector<TRow> SortedByX(std::vector<TRow> rows);

protected:
    TRelationGraph(QWidget* owner, int posFlags, int xOffset, int yOffset, int width, int height, int mode,
                   TRelationPage page);

    // The fit over the marketed brands: the number of brands, the slope a and
    // intercept b of the line the ideal points fall on, r squared.
    struct TFit {
        int brands = 0;
        double slope = 0;
        double intercept = 0;
        double r2 = 0;
    };
    virtual TFit Regress(const TCvPerData& results) const = 0;
    // The brand's value up the chart.
    virtual double BrandValue(const TCvPerData& results, int brand) const = 0;
    // The ideal value of segment Segment up the chart.
    virtual double IdealValue(const TCvPerData& results, int segment) const = 0;
    // Where an ideal value falls across the chart on the fitted line; none
    // when the line tells nothing.
    virtual std::optional<double> IdealPointX(double idealValue, const TFit& fit) const = 0;
    // The scale of the value axis, before the data.
    virtual void SetValueAxis() = 0;
    // The text: the graphs page's legend, or the studies page's title.
    virtual void SetTexts(const TFit& fit) = 0;

    bool OnGraphsPage() const { return page_ == TRelationPage::Graphs; }
    // The characteristic's label, in capitals.
    std::string CharacteristicLabel() const;
    // The graphs page's text: lines 1 to 4 of Key, or without a fit line 1,
    // the two lines of "StuSemEstim" that say why, and line 4.
    std::string FitText(const char* key) const;
    // The graphs page's text, in the block above the plot.
    void SetLegendText(const std::string& text);
    // The studies page's title, "@CHAR1" and "@CHAR2" filled.
    void SetStudiesTitle(const std::string& characteristic, const std::string& measure);
    // "@VAL": r squared in percent, at most one decimal.
    static std::string Percent(double r2);

    int characteristic_ = 1;

private:
    void SetCharacteristicAxis(const TCvPerData& constants);
    std::vector<TRow> BrandRows(const TCvPerData& results, int brands) const;
    std::vector<TRow> IdealPointRows(const TCvPerData& results, const TFit& fit) const;
    // Names: the market's brand names ("BrdNames"); null leaves them unnamed.
    void DrawBrands(const std::vector<TRow>& rows, const TSimArr* names);
    void DrawIdealPoints(const std::vector<TRow>& rows);

    TRelationPage page_;
    double low_ = 0;
    double high_ = 0;
    int idealPointCount_ = 0;
};

// Characteristic j (the context's horizontal axis) against its perception on semantic scale j.
class TSemEstGraph : public TRelationGraph {
public:
    TSemEstGraph(QWidget* owner, const TDataContext& context, int posFlags, int xOffset, int yOffset, int width,
                 int height, int mode, TRelationPage page);

protected:
    TFit Regress(const TCvPerData& results) const override;
    double BrandValue(const TCvPerData& results, int brand) const override;
    double IdealValue(const TCvPerData& results, int segment) const override;
    std::optional<double> IdealPointX(double idealValue, const TFit& fit) const override;
    void SetValueAxis() override;
    void SetTexts(const TFit& fit) override;
};

// Characteristic j (the context's horizontal axis) against map dimension d (its vertical axis).
class TMapRelationsGraph : public TRelationGraph {
public:
    TMapRelationsGraph(QWidget* owner, const TDataContext& context, int posFlags, int xOffset, int yOffset, int width,
                       int height, int mode, TRelationPage page);
    void Build(const TDataContext& context) override;

    int Dimension() const { return dimension_; }

protected:
    TFit Regress(const TCvPerData& results) const override;
    double BrandValue(const TCvPerData& results, int brand) const override;
    double IdealValue(const TCvPerData& results, int segment) const override;
    std::optional<double> IdealPointX(double idealValue, const TFit& fit) const override;
    void SetValueAxis() override;
    void SetTexts(const TFit& fit) override;

private:
    int dimension_ = 1;
};

}  // namespace cv
