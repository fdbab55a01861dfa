// Position screens: the segments' ideal points (6 on the semantic scales, 10
// on the perceptual map) and the brands' perceived positions (7 on the scales;
// 9, 11 and 12 on the map, 9 and 12 without element headings).
#include "core/session/industry.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "reports/studies/studies.h"

namespace cv {

void TStuMkt::BuildIdealPoints() {
    const bool semantic = screen_ == 6;
    if (!Open("StuSemMapIP", "StuSemMapIP", TTableType::BandedRows, {semantic ? 1 : 2})) return;
    const TCvInd& industry = *Industry();
    const TDimension elements = semantic ? SemanticScales() : MapDimensions();
    const TSeries* segments = industry.SegSeries(context_.SelFta, context_.SelMarket);
    const int m = segments ? segments->Count() : 0;
    Define({.titleRows = 1, .bodyRows = m, .totalRows = semantic ? 4 : 0, .headingCols = 3,
            .bodyCols = elements.count * elements.width});
    TQNTable& table = *table_;
    table.SetCellText(TitleRow(), 1, GetLine(3));
    for (int j = 1; j <= elements.count; ++j)
        table.SetCellText(TitleRow(), elements.Column(3, j), elements.labels[static_cast<std::size_t>(j - 1)]);
    const TSimArr* points = ResultsArray(kCategoryFtaMarket, semantic ? "PosSemIPs" : "PosMapIPs");
    const int kind = semantic ? si::PSStuIP : si::PMStuIP;
    for (int s = 1; s <= m; ++s) {
        const int segment = segments->Lo() + s - 1;
        table.SetCellText(BodyRow(s), 1, industry.SegmentShortLabel(context_.SelFta, context_.SelMarket, segment));
        for (int j = 1; j <= elements.count; ++j)
            table.SetCellNumber(BodyRow(s), elements.Column(3, j),
                                Value(points, {segment, elements.lo + j - 1, kind}) / 1000);
    }
    FinishTable(semantic ? TNumberFormat::TwoDecimals : TNumberFormat::OneDecimal, 1, m);
    if (!semantic) return;
    // The scales' weights below a blank row, then their explanation.
    const TSimArr* weights = ResultsArray(kCategoryFtaMarket, "SemWeights");
    table.SetCellText(FooterRow(2), 1, GetLine(4));
    for (int j = 1; j <= elements.count; ++j)
        table.SetCellNumber(FooterRow(2), elements.Column(3, j), Value(weights, {elements.lo + j - 1}));
    table.SetRangeFormat(FooterRow(2), 1, FooterRow(2), LastColumn(), TNumberFormat::Whole);
    table.SetCellText(FooterRow(4), 1, GetLine(5));
    table.SetRangeStdFont(FooterRow(4), 1, 1, LastColumn(), IsDocument() ? 2 : 1);
}

void TStuMkt::BuildBrandPositions() {
    const bool semantic = screen_ == 7;
    if (!Open("StuSemMapBrd", "StuSemMapBrd", TTableType::BandedRows, {semantic ? 1 : 2})) return;
    const TDimension elements = semantic ? SemanticScales() : MapDimensions();
    Define({.titleRows = 1, .bodyRows = BrandRows(), .headingCols = 3, .bodyCols = elements.count * elements.width,
            .minBodyRows = 10, .maxVisibleRows = 20});
    TQNTable& table = *table_;
    // Screens 9 and 12 go beside a map, which names the dimensions itself.
    const bool headed = screen_ == 7 || screen_ == 11;
    TDimension heading = elements;
    if (!headed) heading.count = 0;
    WriteBrandHeading(3, 4, heading, 0);
    const TSimArr* positions = ResultsArray(kCategoryFtaMarket, semantic ? "PosSemBrds" : "PosMapBrds");
    const int kind = semantic ? si::PSStuBrd : si::PMStuBrd;
    WriteBrandBlock([&](int row, int brand) {
        for (int j = 1; j <= elements.count; ++j)
            table.SetCellNumber(row, elements.Column(3, j), Value(positions, {brand, elements.lo + j - 1, kind}) / 1000);
    });
    FinishTable(semantic ? TNumberFormat::TwoDecimals : TNumberFormat::OneDecimal, 1, shape_.bodyRows);
}

}  // namespace cv
