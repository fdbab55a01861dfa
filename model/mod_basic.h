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
#include <vector>

#include "core/store/data_context.h"
#include "model/model_access.h"

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
// One array of each firm (indexed from 1), as SetMarket found it.
using TFirmArrays = std::array<TSimArr*, kMaxModelFirms + 1>;

// The link tables of a zone and market, as SetMarket reads them (see the
// accessors of TModBasic).
struct TMarketLinks {
    std::uint8_t nbMktedBrdsT = 0;
    std::uint8_t nbMktedBrdsT1 = 0;
    TMktBrandBytes dfix{};
    TMktBrandBytes dbix{};
    TMktBrandBytes rfix{};
    TMktBrandBytes rpix{};
    TMktBrandBytes pMbix{};
    TFirmBytes firNbMktedBrdsT{};
    TFirmBytes firNbMktedBrdsT1{};
    TFirmBrandBytes mbix{};
    TFirmBrandBytes pDfix{};
    TFirmBrandBytes pDbix{};
};

// The links of the zones and markets of one run, shared by its modules: what
// SetMarket read for a cell without any report, which a module selecting the
// cell later takes over instead of reading it again. The driver opens the book
// once the marketed brands of t+1 are set up (the links do not change after
// that) and closes it at the end of the run; a closed book keeps nothing.
class TLinkBook {
public:
    void Open() {
        entries_.clear();
        open_ = true;
    }
    void Close() {
        entries_.clear();
        open_ = false;
    }

private:
    friend class TModBasic;
    struct TEntry {
        int fta = 0;
        int mkt = 0;
        const TCvPerData* resultsT = nullptr;
        const TCvPerData* resultsT1 = nullptr;
        TMarketLinks links;
        TSimArr* brdNames = nullptr;
        TSimArr* xfmLinks = nullptr;
        TSimArr* ffmLinks = nullptr;
    };
    std::vector<TEntry> entries_;
    bool open_ = false;
};

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
    // The run's link book (not owned; null for none), from which SetMarket takes
    // a cell's links that a module read before from the same sets, and into
    // which it puts those it reads while the book is open.
    void UseLinkBook(TLinkBook* book) { linkBook_ = book; }

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

    // The module's state, read-only: the industry and the module's own context
    // record; the period sets of t, t+1 and t+2; the series of the current
    // market (physical dimensions, segments, channels, map axes, semantic
    // scales) and of the brand and slot lists; the arrays "BrdNames",
    // "XFMLinks" and "FFMLinks" (of the last firm read) of results t+1, owned
    // by the data store.
    TCvInd* Data() const { return data_; }
    const TDataContext& Ctx() const { return ctx_; }
    TWorkRec* WorkRec() const { return workRec_; }
    TSeries* PerSeries() const { return perSeries_; }
    TSeries* CumBrand() const { return cumBrand_; }
    TSeries* FirBrand() const { return firBrand_; }
    TSeries* MktBrand() const { return mktBrand_; }
    TCvPerData* ResultsT() const { return resultsT_; }
    TCvPerData* ResultsT1() const { return resultsT1_; }
    TCvPerData* DecisionsT1() const { return decisionsT1_; }
    TCvPerData* DefaultsT2() const { return defaultsT2_; }
    TCvPerData* DecisionsT2() const { return decisionsT2_; }
    TSeries* DimSeries() const { return dimSeries_; }
    TSeries* SegSeries() const { return segSeries_; }
    TSeries* ChaSeries() const { return chaSeries_; }
    TSeries* MapSeries() const { return mapSeries_; }
    TSeries* SemSeries() const { return semSeries_; }
    TSimArr* BrdNames() const { return brdNames_; }
    TSimArr* FFMLinks() const { return ffmLinks_; }
    TSimArr* XFMLinks() const { return xfmLinks_; }

    // The links of the current market, as SetMarket read them: the marketed
    // brands in t and t+1; per market brand of t+1 (copies of its "XFMLinks"
    // row) its firm, its slot among the firm's brands, the firm holding its
    // prototype, the prototype's place there and its index in the market of t
    // (0 when new); each firm's marketed brands in t and t+1; per firm brand
    // (copies of the firm's "FFMLinks" rows) its market brand index in t+1, the
    // firm and its slot among the firm's brands of t (0 when new).
    std::uint8_t NbMktedBrdsT() const { return links_.nbMktedBrdsT; }
    std::uint8_t NbMktedBrdsT1() const { return links_.nbMktedBrdsT1; }
    const TMktBrandBytes& Dfix() const { return links_.dfix; }
    const TMktBrandBytes& Dbix() const { return links_.dbix; }
    const TMktBrandBytes& Rfix() const { return links_.rfix; }
    const TMktBrandBytes& Rpix() const { return links_.rpix; }
    const TMktBrandBytes& pMbix() const { return links_.pMbix; }
    const TFirmBytes& FirNbMktedBrdsT() const { return links_.firNbMktedBrdsT; }
    const TFirmBytes& FirNbMktedBrdsT1() const { return links_.firNbMktedBrdsT1; }
    const TFirmBrandBytes& Mbix() const { return links_.mbix; }
    const TFirmBrandBytes& pDfix() const { return links_.pDfix; }
    const TFirmBrandBytes& pDbix() const { return links_.pDbix; }

protected:
    // The context record, which a step moves from cell to cell.
    TDataContext& Ctx() { return ctx_; }
    // The results set of t+1 made afresh by the driver; the arrays read from
    // the old one are forgotten.
    void BindForecastPeriod(TCvPerData& results);
    // The channel series of the zone a step works on outside SetMarket.
    void SelectChannels(TSeries* channels) { chaSeries_ = channels; }
    // The segment, map, semantic and dimension series of a market the driver creates arrays for.
    void SelectMarketSeries(TSeries* segments, TSeries* map, TSeries* semantic, TSeries* dimensions);
    // The arrays of results t+1 the driver writes the market's brands into.
    void BindMarketArrays(TSimArr* names, TSimArr* marketLinks);
    void BindFirmLinks(TSimArr* firmLinks) { ffmLinks_ = firmLinks; }
    // The context of firm Firm in the current zone and market.
    TDataContext FirmContext(int firm) const;
    // Market brand Brand checked against 1..NbMktedBrdsT1 (EModelError otherwise).
    void RequireMarketBrand(int brand) const;

private:
    void ReadMarketLinks();
    void ReadFirmLinks(int firm);
    void ClearLinks();
    // ClampCount for the links, noting whether it had to report.
    int LinkCount(long long count, int limit, const TLazyText& what);
    // The links of zone Fta and market Mkt from the open link book; false when it has none.
    bool TakeBookedLinks(int fta, int mkt);
    void BookLinks(int fta, int mkt) const;
    // The decision array Name of t+1 of Firm in zone Fta and the context's
    // market (category kCategoryFirmFtaMarket) or in zone Fta (kCategoryFirmFta);
    // a missing one raises EModelError. In the zone and market that SetMarket
    // selected, each firm's array is looked up once and kept in Found.
    TSimArr& FirmDecisionArr(TFirmArrays& found, int firm, int fta, int category, std::string_view name) const;

    TCvInd* data_ = nullptr;
    TDataContext ctx_{};
    TWorkRec* workRec_ = nullptr;
    TSeries* perSeries_ = nullptr;
    TSeries* msgSim_ = nullptr;
    TSeries* cumBrand_ = nullptr;
    TSeries* firBrand_ = nullptr;
    TSeries* mktBrand_ = nullptr;
    TCvPerData* resultsT_ = nullptr;
    TCvPerData* resultsT1_ = nullptr;
    TCvPerData* decisionsT1_ = nullptr;
    TCvPerData* defaultsT2_ = nullptr;
    TCvPerData* decisionsT2_ = nullptr;
    TSeries* dimSeries_ = nullptr;
    TSeries* segSeries_ = nullptr;
    TSeries* chaSeries_ = nullptr;
    TSeries* mapSeries_ = nullptr;
    TSeries* semSeries_ = nullptr;
    TSimArr* brdNames_ = nullptr;
    TSimArr* ffmLinks_ = nullptr;
    TSimArr* xfmLinks_ = nullptr;
    // The decisions of t+1 that the brand and sales-force accessors read, per
    // firm of the market SetMarket selected, once looked up: "DecBrdCV3",
    // "SlfAlloc" and the zone's "SlfSize".
    mutable TFirmArrays brandDecisions_{};
    mutable TFirmArrays salesForceAllocs_{};
    mutable TFirmArrays salesForceSizes_{};
    // "PosSemBrds" of t and t+1 of the market SetMarket selected, once found,
    // which IsBrandModified reads for brand after brand.
    mutable const TSimArr* positionsT_ = nullptr;
    mutable const TSimArr* positionsT1_ = nullptr;
    int foundFta_ = 0;
    int foundMarket_ = 0;
    TMarketLinks links_{};
    // Whether reading the links of the selected cell reported nothing.
    bool linksQuiet_ = false;
    TLinkBook* linkBook_ = nullptr;
};

}  // namespace cv
