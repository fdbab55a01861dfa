#pragma once
// The perceptual and semantic maps of the market studies. TPercMap draws, on
// two chosen semantic scales (1 to 7) or two dimensions of the perceptual map
// (-20 to +20), where the consumers see the marketed brands and where each
// segment's ideal point lies. TStdPercMap shows one period, with the brand
// labels placed so that they cover no marker and no other label
// (graphs/placement/); THistPercMap shows the ideal points' trails over the
// periods up to the selected one.
//
// A map made for a window builds itself at once; one made for a document
// (mode 2: no title, every label black) is built by its caller, which leaves
// it out when NoData says the market has no marketed brand.

#include <string>
#include <vector>

#include "graphs/placement/map_label_placement.h"
#include "ui/chart/cv_chart.h"

namespace cv {

class TSeries;
class TCvPerData;
class TSimArr;

enum EMapKind : int { mkSemantic = 1, mkPerceptual = 2 };

class TPercMap : public TCVChart {
public:
    // Axes: the context's StudyChoice1/2 (perceptual) or StudyChoice3/4
    // (semantic); the default when a choice names none of the market's.
    void Build(const TDataContext& context) override;

    int Kind() const { return kind_; }
    int HorzAxis() const { return horzAxis_; }
    int VertAxis() const { return vertAxis_; }
    // The map's title text (empty in a document).
    const std::string& TitleText() const { return titleText_; }

    // The axis shown for Choice among Count scales or dimensions: Choice when
    // it names one of them, else Default brought within 1..Count.
    static int ChooseAxis(int choice, int defaultAxis, int count);

protected:
    TPercMap(QWidget* owner, int kind, int posFlags, int xOffset, int yOffset, int width, int height, int mode);

    // Loads the map's items and data grid: the period's or the periods' positions.
    virtual void Fill() = 0;
    // Composes the title text, then calls SetAxisTitles.
    virtual void SetTitle() = 0;
    // The axis titles, and the title text with "@AXISH" and "@AXISV" filled.
    void SetAxisTitles();
    // The title text: line FirstLine of "StuSemMapGraph", the line naming
    // the kind of axes and the two axis lines, joined by two carriage returns.
    void ComposeTitle(int firstLine);

    bool IsDocument() const { return Mode() == kChartDocumentMode; }
    // The position array of the map kind: the ideal points' or the brands'.
    const TSimArr* IdealPoints(const TCvPerData& results) const;
    const TSimArr* BrandPositions(const TCvPerData& results) const;
    // A stored position (thousandths) of the ideal-point or brand array, in scale units.
    double Position(const TSimArr* array, int row, int axis, int element) const;
    // The label grid of the map kind (graphs/placement/).
    double GridOrigin() const;
    double GridStep() const;
    int SegmentCount() const { return segmentCount_; }
    int IdealPointElement() const { return idealPointElement_; }
    int BrandElement() const { return brandElement_; }

    std::string titleText_;

private:
    // The market's semantic scales or map dimensions.
    const TSeries* AxisSeries() const;

    int kind_;
    int horzAxis_ = 1;
    int vertAxis_ = 2;
    int segmentCount_ = 0;
    int idealPointElement_ = 0;
    int brandElement_ = 0;
};

// One period: the ideal points and the marketed brands, labels placed.
class TStdPercMap : public TPercMap {
public:
    TStdPercMap(QWidget* owner, const TDataContext& context, int kind, int posFlags, int xOffset, int yOffset,
                int width, int height, int mode);

    // The items as loaded and placed by the last build: ideal points first.
    const TPercMapLabels& Items() const { return items_; }

protected:
    void Fill() override;
    void SetTitle() override;

private:
    // Loads the ideal points and brands of the current period into items_.
    void LoadItems(const TCvPerData& results);
    void DrawItems();

    TPercMapLabels items_;
};

// The ideal points of every segment over the periods up to the selected one.
class THistPercMap : public TPercMap {
public:
    THistPercMap(QWidget* owner, const TDataContext& context, int kind, int posFlags, int xOffset, int yOffset,
                 int width, int height, int mode);

    // Where the label of a trail's last point goes: right (offset +0.25) when
    // the ideal point moved right since the period before, else left (-0.25).
    struct TTrailLabel {
        int position = 0;
        double offset = 0;
        bool operator==(const TTrailLabel&) const = default;
    };
    static TTrailLabel TrailLabel(double x, double previousX);

protected:
    void Fill() override;
    void SetTitle() override;

private:
    bool HasIdealPoints(const TSimArr* idealPoints, int segments) const;
};

}  // namespace cv
