// The map of one period: ideal points and brands, brand labels placed on the
// label grid so that they cover no marker and no other label.
#include <algorithm>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/typed_array.h"
#include "graphs/maps/map_styles.h"
#include "graphs/maps/perc_map.h"

namespace cv {
namespace {

constexpr int kIdealPointMarker = 4;
constexpr int kIdealPointMarkerSize = 12;
constexpr int kBrandMarkerSize = 8;
constexpr int kVgaBrandMarkerSize = 6;
constexpr int kLabelFontSize = 9;
constexpr int kVgaLabelFontSize = 8;
constexpr int kBentLeader = 2;
constexpr std::size_t kMaxLabel = 16;
constexpr int kMarkerOnly = 1;
constexpr int kWithLabel = 2;
// One-period map titles: lines of "StuSemMapGraph".
constexpr int kPerceptualTitle = 8;
constexpr int kSemanticTitle = 14;

}  // namespace

TStdPercMap::TStdPercMap(QWidget* owner, const TDataContext& context, int kind, int posFlags, int xOffset,
                         int yOffset, int width, int height, int mode)
    : TPercMap(owner, kind, posFlags, xOffset, yOffset, width, height, mode),
      items_(GridOrigin(), GridStep(), IsVgaScreen()) {
    // The label grid does not know the labels' drawn sizes: the chart moves
    // a label that would still cover a marker, a label or a line.
    SetLabelsApart(true);
    if (!IsDocument()) Build(context);
}

void TStdPercMap::SetTitle() {
    ComposeTitle(Kind() == mkPerceptual ? kPerceptualTitle : kSemanticTitle);
    SetAxisTitles();
}

void TStdPercMap::LoadItems(const TCvPerData& results) {
    const TCvInd& industry = *Session->Industry();
    const int brands = results.GetSmallintDef(kCategoryFtaMarket, context_, "NbMktedBrds", 0);
    NoData = brands == 0;
    // The names array lists the brands firm by firm, in firm order.
    std::vector<int> firmOfBrand;
    for (int firm = 1; firm <= std::min<int>(industry.NbFirms(), kMaxMapFirms); ++firm) {
        TDataContext ofFirm = context_;
        ofFirm.SelFirm = static_cast<std::int16_t>(firm);
        const int firmBrands = results.GetSmallintDef(kCategoryFirmFtaMarket, ofFirm, "NbMktedBrds", 0);
        firmOfBrand.insert(firmOfBrand.end(), static_cast<std::size_t>(std::max(firmBrands, 0)), firm);
    }
    const TSimArr* names = results.FindSimArr(kCategoryFtaMarket, context_, "BrdNames");
    const TSimArr* idealPoints = IdealPoints(results);
    const TSimArr* positions = BrandPositions(results);

    items_ = TPercMapLabels(GridOrigin(), GridStep(), IsVgaScreen());
    items_.idealPointCount = SegmentCount();
    for (int segment = 1; segment <= SegmentCount(); ++segment) {
        TPercMapItem item;
        item.label = industry.SegmentInitialLabel(context_.SelFta, context_.SelMarket, segment);
        item.x = items_.SnapToGrid(Position(idealPoints, segment, HorzAxis(), IdealPointElement()));
        item.y = items_.SnapToGrid(Position(idealPoints, segment, VertAxis(), IdealPointElement()));
        item.kind = ikIdealPoint;
        item.markerStyle = kIdealPointMarker;
        item.markerSize = kIdealPointMarkerSize;
        item.position = lpRing;
        item.colour = kMapBlack;
        items_.items.push_back(item);
        items_.SetLabelRect(static_cast<int>(items_.items.size()) - 1, kMarkerOnly);
    }
    for (int brand = 1; brand <= brands; ++brand) {
        const int firm = brand <= static_cast<int>(firmOfBrand.size()) ? firmOfBrand[brand - 1] : kMaxMapFirms;
        TPercMapItem item;
        const bool named = names && brand >= names->LB(1) && brand <= names->UB(1);
        item.label = named ? names->GetZts({brand}).substr(0, kMaxLabel) : std::string();
        item.x = items_.SnapToGrid(Position(positions, brand, HorzAxis(), BrandElement()));
        item.y = items_.SnapToGrid(Position(positions, brand, VertAxis(), BrandElement()));
        item.kind = ikBrand;
        item.markerStyle = MapFirmMarker(firm);
        item.markerSize = IsVgaScreen() ? kVgaBrandMarkerSize : kBrandMarkerSize;
        item.position = lpNone;
        item.colour = static_cast<std::uint32_t>(IsDocument() ? kMapBlack : MapFirmColour(firm));
        items_.items.push_back(item);
        items_.SetLabelRect(static_cast<int>(items_.items.size()) - 1, kWithLabel);
    }
    items_.PlaceLabels();
}

// Each item is a series of its own with one point: x in column 2j - 1, y in 2j.
void TStdPercMap::DrawItems() {
    const int count = static_cast<int>(items_.items.size());
    SetGridSize(1, 2 * count);
    const int fontSize = IsVgaScreen() ? kVgaLabelFontSize : kLabelFontSize;
    for (int j = 1; j <= count; ++j) {
        const TPercMapItem& item = items_.items[static_cast<std::size_t>(j - 1)];
        SetData(1, 2 * j - 1, item.x);
        SetData(1, 2 * j, item.y);
        const int leader = item.dx == 0 && item.dy == 0 ? 0 : kBentLeader;
        const auto colour = static_cast<std::int32_t>(IsDocument() ? kMapBlack : item.colour);
        SetSeriesStyle(j, 1, item.position, leader, item.label, fontSize, 0, colour, item.dx, item.dy);
        SetSeriesOptions(j, false);
        SetPointStyles(j, 1, item.markerStyle, item.markerSize, colour);
    }
}

void TStdPercMap::Fill() {
    if (!Session || !Session->Industry()) return;
    LoadItems(Session->Industry()->PerResults(context_.CurPeriod));
    DrawItems();
}

}  // namespace cv
