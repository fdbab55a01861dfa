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

std::int32_t CountOf(const TSeries* series, std::string_view name) {
    if (!series) throw EDataError("the industry has no " + std::string(name));
    return series->Count();
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
    nbPeriods_ = CountOf(PerSeries(), "PerSeries");
    nbFirms_ = CountOf(FirSeries(), "FirSeries");
    nbFtas_ = CountOf(FtaSeries(), "FtaSeries");
    nbMarkets_ = CountOf(MktSeries(), "MktSeries");
    if (nbFtas_ > kMaxFtas || nbMarkets_ > kMaxMarkets) throw ERangeError();
    for (int market = 1; market <= nbMarkets_; ++market) {
        dimSeries_[Slot(market)] = RequiredCellSeries("DimSeries", 0, market);
        mapSeries_[Slot(market)] = RequiredCellSeries("MapSeries", 0, market);
        semSeries_[Slot(market)] = RequiredCellSeries("SemSeries", 0, market);
    }
    for (int fta = 1; fta <= nbFtas_; ++fta) {
        chaSeries_[Slot(fta)] = RequiredCellSeries("ChaSeries", fta, 0);
        for (int market = 1; market <= nbMarkets_; ++market)
            segSeries_[Slot(fta)][Slot(market)] = RequiredCellSeries("SegSeries", fta, market);
    }
}

TSeries* TCvInd::RequiredCellSeries(std::string_view name, int fta, int market) const {
    TDataContext context;
    context.SelPeriod = CurPeriod();
    context.SelFta = static_cast<std::int16_t>(fta);
    context.SelMarket = static_cast<std::int16_t>(market);
    TSeries* series = GetCellSeries(name, context);
    if (!series)
        throw EDataError("the industry has no " + std::string(name) + " for zone " + std::to_string(fta) +
                         " and market " + std::to_string(market));
    return series;
}

TSeries* TCvInd::DimSeries(int market) const { return dimSeries_[Slot(market)]; }
TSeries* TCvInd::SemSeries(int market) const { return semSeries_[Slot(market)]; }
TSeries* TCvInd::MapSeries(int market) const { return mapSeries_[Slot(market)]; }
TSeries* TCvInd::SegSeries(int fta, int market) const { return segSeries_[Slot(fta)][Slot(market)]; }
TSeries* TCvInd::ChaSeries(int fta) const { return chaSeries_[Slot(fta)]; }

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
