#pragma once
// TModBasic: the base of every model module (preference, demand, distribution,
// production, studies, finance, default decisions) and of the driver TModCV3.
//
// A module is bound to the open industry and to a context record of its own.
// It keeps handles to the five period sets a model step works on (t is the
// industry's current period): results of t and t+1, decisions of t+1 (the
// decisions being simulated), decisions and defaults of t+2. Per zone and
// market it keeps the series of the cell and the brand link tables that every
// step uses to find a brand's firm, its slot in the firm's portfolio, its
// prototype and its place in last period's market.
//
// Indexes of the link tables start at 1: market brands 1..31, firms 1..6, a
// firm's brands 1..5; element 0 is unused. Counts read from the data are
// clamped to these bounds and to the bounds of the arrays they index, with a
// level-0 log line and a warning in the work record, so that no loop of the
// model ever leaves an array. Every failure of the model raises EModelError
// (core/base/errors.h), which the driver catches in one place.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/store/data_context.h"

namespace cv {

class TCvInd;
class TCvPerData;
class TSeries;
class TSimArr;
struct TWorkRec;

inline constexpr int kMaxMktBrands = 31;
inline constexpr int kMaxModelFirms = 6;
inline constexpr int kMaxFirmBrands = 5;

// Link tables indexed from 1 (element 0 unused).
using TMktBrandBytes = std::array<std::uint8_t, kMaxMktBrands + 1>;
using TFirmBytes = std::array<std::uint8_t, kMaxModelFirms + 1>;
using TFirmBrandBytes = std::array<std::array<std::uint8_t, kMaxFirmBrands + 1>, kMaxModelFirms + 1>;

class TModBasic {
public:
    TModBasic() = default;
    virtual ~TModBasic() = default;
    TModBasic(const TModBasic&) = delete;
    TModBasic& operator=(const TModBasic&) = delete;

    // Binds the module to Data and WorkRec (neither owned; WorkRec may be null),
    // sets the context period to t, checks that the industry holds every series
    // and label the base uses, and opens the five period sets (each is loaded
    // from the industry file on first use). A missing series or label, or a
    // period outside the sets' ranges, raises EModelError naming it.
    virtual void Init(TCvInd& data, TWorkRec* workRec);
    // Selects zone Fta and market Mkt (1-based): the series of the cell, the
    // arrays "XFMLinks" and "BrdNames" of t+1, the counts of t and t+1, and
    // copies of the link rows of every marketed brand. Modules that override it
    // call it first. A missing array of t+1 raises EModelError; a count of t
    // without its array of t reads as 0.
    virtual void SetMarket(int fta, int mkt);

    // Member Member of "DecBrdCV3" of decisions t+1 for market brand Brand
    // (1..NbMktedBrdsT1), in the row of its firm's portfolio.
    double GetBrandDecision(int brand, int member) const;
    void SetBrandDecision(int brand, int member, double value);
    // Element Channel of "SlfSize" of decisions t+1 of Firm and zone Fta.
    double GetSalesForceSize(int firm, int fta, int channel) const;
    // Salespeople working for market brand Brand in Channel of the current zone:
    // "SlfSize"[Channel] x "SlfAlloc"[Channel, its row] of the brand's firm.
    double GetSalesForceAlloc(int channel, int brand) const;
    // Whether the brand's actual attributes ("PosSemBrds" [.., "AttAct"]) changed
    // since t; false when t+1 is period 0, true for a brand new in t+1.
    bool IsBrandModified(int brand) const;
    // Posts one coded message (section, key, up to five parameters) to the
    // firm and zone of the context record; false when the firm's message list
    // is full or Items holds fewer than two texts.
    bool AddSimMessage(std::initializer_list<std::string_view> items);

    // Logs Text at level 0 and keeps it among the run's warnings.
    void Warn(const std::string& text) const;

    // The industry and the module's own context record.
    TCvInd* Data = nullptr;
    TDataContext Ctx{};
    TSeries* PerSeries = nullptr;
    TSeries* MsgAdmLine = nullptr;  // instructor message lines
    TSeries* MsgSim = nullptr;      // simulation-message slots
    TSeries* CumBrand = nullptr;    // cumulated-brand slots
    TSeries* FirBrand = nullptr;    // a firm's brand slots in a market
    TSeries* MktBrand = nullptr;    // a market's brand slots

    TCvPerData* ResultsT = nullptr;
    TCvPerData* ResultsT1 = nullptr;
    TCvPerData* DecisionsT1 = nullptr;
    TCvPerData* DefaultsT2 = nullptr;
    TCvPerData* DecisionsT2 = nullptr;

    // Of the current market (physical dimensions, map axes, semantic scales),
    // zone (channels) and zone and market (segments).
    TSeries* DimSeries = nullptr;
    TSeries* SegSeries = nullptr;
    TSeries* ChaSeries = nullptr;
    TSeries* MapSeries = nullptr;
    TSeries* SemSeries = nullptr;

    // Arrays of results t+1 of the current zone and market ("FFMLinks": of the
    // last firm read); owned by the data store.
    TSimArr* BrdNames = nullptr;
    TSimArr* FFMLinks = nullptr;
    TSimArr* XFMLinks = nullptr;

    // Marketed brands of the current market in t and t+1 (0 = no brand).
    std::uint8_t NbMktedBrdsT = 0;
    std::uint8_t NbMktedBrdsT1 = 0;
    // Copies of the "XFMLinks" row of each market brand of t+1: its firm, its
    // slot among the firm's brands, the firm holding its prototype, the
    // prototype's place there, its index in the market of t (0 when new).
    TMktBrandBytes Dfix{};
    TMktBrandBytes Dbix{};
    TMktBrandBytes Rfix{};
    TMktBrandBytes Rpix{};
    TMktBrandBytes pMbix{};
    // Each firm's marketed brands in the current market, in t and t+1.
    TFirmBytes FirNbMktedBrdsT{};
    TFirmBytes FirNbMktedBrdsT1{};
    // Copies of each firm's "FFMLinks" rows: market brand index in t+1, the
    // firm, its slot among the firm's brands of t (0 when new).
    TFirmBrandBytes Mbix{};
    TFirmBrandBytes pDfix{};
    TFirmBrandBytes pDbix{};

    TWorkRec* WorkRec = nullptr;

protected:
    // The context of firm Firm in the current zone and market.
    TDataContext FirmContext(int firm) const;
    // Market brand Brand checked against 1..NbMktedBrdsT1 (EModelError otherwise).
    void RequireMarketBrand(int brand) const;

private:
    void ReadMarketLinks();
    void ReadFirmLinks(int firm);
    void ClearLinks();
};

}  // namespace cv
