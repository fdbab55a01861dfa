#include "core/session/industry.h"
#include "core/base/numbers.h"

#include <cmath>
#include <utility>

#include "core/base/errors.h"
#include "core/language/translator.h"

namespace cv {
namespace {

// Whether a market or zone number names one of the three slots; ERangeError otherwise.
std::size_t Slot(int number) {
    if (number < 1 || number > kMaxMarkets) throw ERangeError();
    return static_cast<std::size_t>(number - 1);
}

}  // namespace

void TCvInd::Open(const std::string& signature, const std::string& fileName) {
    TCvData::Open(signature, fileName);
    budget_ = std::make_unique<TFtaBudget>();
}

void TCvInd::Close() {
    TCvData::Close();
    budget_.reset();
}

void TCvInd::InitSeries() {
    decPeriod_ = CurPeriod() + 1;
    series_ = RequiredIndustrySeries(ConstPart(), SeriesList(), CurPeriod());
    nbPeriods_ = series_.periods->Count();
    nbFirms_ = series_.firms->Count();
    nbFtas_ = series_.ftas->Count();
    nbMarkets_ = series_.markets->Count();
}

TSeries* TCvInd::DimSeries(int market) const { return series_.dimensions[Slot(market)]; }
TSeries* TCvInd::SemSeries(int market) const { return series_.semantics[Slot(market)]; }
TSeries* TCvInd::MapSeries(int market) const { return series_.maps[Slot(market)]; }
TSeries* TCvInd::SegSeries(int fta, int market) const { return series_.segments[Slot(fta)][Slot(market)]; }
TSeries* TCvInd::ChaSeries(int fta) const { return series_.channels[Slot(fta)]; }

std::string TCvInd::Label(const TSeries* series, std::string_view prefix, int element) const {
    if (!series) return kUndefinedLabel;
    if (!Translator) return series->GetLabel(element);
    std::string text;
    Translator->SeriesLine(std::string(prefix) + series->Name(), element, text);
    return text;
}

std::string TCvInd::StuFtaLabel(int element) const { return Label(FindSeries("StuFta"), "", element); }
std::string TCvInd::StuMktLabel(int element) const { return Label(FindSeries("StuMkt"), "", element); }

std::string TCvInd::FirmLabel(long double firm) const {
    const long double rounded = RoundHalfEven(firm);
    if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) throw ERangeError();
    return Label(FirSeries(), "", static_cast<int>(rounded));
}

std::string TCvInd::FtaLabel(int element) const { return Label(FtaSeries(), "", element); }
std::string TCvInd::MarketLabel(int element) const { return Label(MktSeries(), "", element); }
std::string TCvInd::DimLabel(int market, int element) const { return Label(DimSeries(market), "", element); }
std::string TCvInd::DimShortLabel(int market, int element) const {
    return Label(DimSeries(market), "Short", element);
}
std::string TCvInd::DimUnitLabel(int market, int element) const { return Label(DimSeries(market), "Unit", element); }
std::string TCvInd::SemLabel(int market, int element) const { return Label(SemSeries(market), "", element); }
std::string TCvInd::SemUnitLabel(int market, int element) const { return Label(SemSeries(market), "Unit", element); }
std::string TCvInd::MapLabel(int market, int element) const { return Label(MapSeries(market), "", element); }
std::string TCvInd::SegmentLabel(int fta, int market, int element) const {
    return Label(SegSeries(fta, market), "", element);
}
std::string TCvInd::SegmentShortLabel(int fta, int market, int element) const {
    return Label(SegSeries(fta, market), "Short", element);
}
std::string TCvInd::SegmentInitialLabel(int fta, int market, int element) const {
    return Label(SegSeries(fta, market), "Initial", element);
}
std::string TCvInd::ChannelLabel(int fta, int element) const { return Label(ChaSeries(fta), "", element); }
std::string TCvInd::ChannelLongLabel(int fta, int element) const { return Label(ChaSeries(fta), "Long", element); }
std::string TCvInd::SeriesLabel(const TSeries* series, int element) const { return Label(series, "", element); }

}  // namespace cv
