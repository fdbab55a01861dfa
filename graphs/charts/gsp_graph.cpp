#include "graphs/charts/gsp_graph.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <filesystem>

#include "core/base/numbers.h"
#include "core/base/text_format.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/stats/cv_interf.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"

namespace cv {
namespace {

constexpr int kParentMode = 3;
constexpr int kSmallScreenWidth = 640;
constexpr int kTitleSize = 14;
constexpr int kAxisTitleSize = 10;
constexpr int kLabelBelow = 2;
constexpr double kMarkerDx = -0.5;
constexpr double kThousandths = 1000.0;

}  // namespace

TGspGraph::TGspGraph(QWidget* owner, const TChartPlace& place, const TDataContext& context)
    : TCVChart(owner, kChartBubble, kChartLeftAtX | kChartTopAtY, 0, place.top, place.width, place.height, kParentMode) {
    SetAxesGrid(1, 1, 0x808080, 7, 0, 0x808080);
    // Bubbles crowd where a firm's brands hold like shares of like segments.
    SetLabelsApart(true);
    Build(context);
}

const char* TGspGraph::PictureName(int screenWidth) {
    return screenWidth == kSmallScreenWidth ? "GSPVGA.WMF" : "GSPSVGA.WMF";
}

// Every segment of the markets shown, and each pair of one of the firm's
// brands with a segment it holds a share of.
void TGspGraph::Collect(TGspLayout& layout) const {
    TCvInd& industry = *Session->Industry();
    const TCvPerData& results = industry.PerResults(context_.CurPeriod);
    const TCvInterf links(industry);
    const int firstMarket = context_.GraphOption > 1 ? context_.GraphOption - 1 : 1;
    const int lastMarket = context_.GraphOption > 1 ? firstMarket : industry.NbMarkets();
    for (int market = firstMarket; market <= lastMarket; ++market) {
        TDataContext at = context_;
        at.SelMarket = static_cast<std::int16_t>(market);
        const int brands = results.GetSmallintDef(kCategoryFtaMarket, at, "NbMktedBrds", 0);
        if (brands == 0) continue;
        const TSimArr* sales = results.FindSimArr(kCategoryFtaMarket, at, "SegSales");
        const TSimArr* sizes = results.FindSimArr(kCategoryFtaMarket, at, "SegSizes");
        const TSimArr* shares = results.FindSimArr(kCategoryFtaMarket, at, "StuBrdSegVMS");
        const TSimArr* names = results.FindSimArr(kCategoryFtaMarket, at, "BrdNames");
        const TSeries* segments = industry.SegSeries(at.SelFta, market);
        if (!sales || !sizes || !shares || !names || !segments) continue;
        for (int segment = 1; segment <= segments->Count(); ++segment) {
            const double growth = SafeDiv(static_cast<double>(sizes->GetReal48({segment, si::StuSizeP1})),
                                          static_cast<double>(sizes->GetReal48({segment, si::StuSize})), 0) - 1;
            layout.AddSegmentGrowth(growth);
            const auto share = [&](int brand) { return shares->GetSmallint({brand, segment}) / kThousandths; };
            for (int brand = 1; brand <= brands; ++brand) {
                int firm = 0, firmBrand = 0;
                links.BrandLinks(results, at, brand, firm, firmBrand);
                if (firm != context_.EvolChoice) continue;
                double rival = 0;
                for (int other = 1; other <= brands; ++other)
                    if (other != brand) rival = std::max(rival, share(other));
                layout.AddPair(TGspLayout::PairLabel(names->GetZts({brand}),
                                                     industry.SegmentInitialLabel(at.SelFta, market, segment)),
                               share(brand), rival, static_cast<double>(sales->GetReal48({segment, si::Value})),
                               growth, market);
            }
        }
    }
}

void TGspGraph::Build(const TDataContext& context) {
    TCVChart::Build(context);
    SetRepaint(false);
    LoadLines(kSectionGlobals, "GSP");
    SetTitle(Session->ExpandTokens(GetLine(1), context_), kTitleSize, 1, 0, 0);
    SetAxisTitle(GetLine(2), 0, kAxisTitleSize, 1, 0);
    SetAxisTitle(GetLine(3), 1, kAxisTitleSize, 1, 0);
    TGspLayout layout;
    if (Session->Industry()) Collect(layout);
    axes_ = layout.Axes();
    const std::vector<TGspBubble> bubbles = layout.Bubbles(axes_);
    bubbleCount_ = static_cast<int>(bubbles.size());
    SetGridSize(bubbleCount_ + 3, 3);
    SetXAxisScale(1, 1, 0, 1);
    SetAxisLabelsBlank(0, true);
    SetYAxisScale(2, 1, axes_.growthMin, axes_.growthMax);
    SetAxisNumberFormat(1, "0.0%");
    SetAxisCrossing(1, TGspLayout::LogScale(1.0, axes_.shareMin, axes_.shareMax));
    SetAxisCrossing(0, axes_.growthMin);
    int row = 0;
    for (const TGspBubble& bubble : bubbles) {
        ++row;
        SetData(row, 1, bubble.x);
        SetData(row, 2, bubble.growth);
        SetData(row, 3, bubble.size);
        const QColor colour = TAnalGraph::MarketColour(bubble.market);
        SetPointColors(1, row, colour.blue() << 16 | colour.green() << 8 | colour.red());
        SetSeriesStyle(1, row, bubble.labelPosition, 0, bubble.label, 8, 1, 0, bubble.labelDx, 0);
    }
    for (const TGspAxisMarker& marker : layout.AxisMarkers(axes_)) {
        ++row;
        SetData(row, 1, marker.x);
        SetData(row, 2, axes_.growthMin);
        SetData(row, 3, 0);
        SetSeriesStyle(1, row, kLabelBelow, 0, FormatText("%.1n", {marker.share}), 8, 1, 0, kMarkerDx, 0);
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const std::string picture = PictureName(screen ? screen->size().width() : 1024);
    SetPlotBackdrop((std::filesystem::path(Session->MediaDir()) / picture).string());
    // The quadrants split where the share-1 line crosses the middle growth.
    SetPlotBackdropCentre(TGspLayout::LogScale(1.0, axes_.shareMin, axes_.shareMax),
                          axes_.growthMin + (axes_.growthMax - axes_.growthMin) / 2);
    SetTitleLayout();
    SetRepaint(true);
    show();
}

}  // namespace cv
