#pragma once
// TModRnD: the R&D model of one firm in one market. It holds the firm's
// prototypes (results of a period: what its R&D has produced so far) and its
// projects (decisions of the decision period, same shape), and it owns the cost
// rules: the standard and minimum unit cost of a set of technical levels, and
// the development budget a project still requires.
//
// The R&D dialogs create one, bind it with Init and call the estimates and the
// project-list operations; the model driver's R&D run binds it once per firm
// and market. The object owns none of the data it points at: the project-list
// operations write straight into the decision set of the decision period, which
// the caller saves.
//
// Rows of the technical tables are the elements of the market's dimension
// series; finance columns are labels of the series "ProFinances". Every
// division goes through SafeDiv with the default 0.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/data_context.h"

namespace cv {

class TCvInd;
class TCvPerData;
class TDynArr;
class TSeries;
class TSimArr;
struct TCctRec;
class TModCct;
struct TWorkRec;

// A firm holds at most this many prototypes per market.
inline constexpr int kMaxPrototypes = 20;
// KnownUC's answer when no finished prototype has the levels asked about.
inline constexpr double kUnknownUC = 2147483647.0;

// Column positions in "TecDimVars" (127 for a label the series lacks).
struct TTecDimColumns {
    std::uint8_t TDMinLev = 0;
    std::uint8_t TDMaxLev = 0;
    std::uint8_t TDDevBgt = 0;
    std::uint8_t TDUnitCost = 0;
    std::uint8_t TDSuc2Muc = 0;
};

// Column positions in "ProFinances" (127 for a label the series lacks).
struct TProFinColumns {
    std::uint8_t ProDecStatus = 0;
    std::uint8_t ProReqUC = 0;     // requested unit cost
    std::uint8_t ProOldReqUC = 0;
    std::uint8_t ProStdUC = 0;     // standard unit cost
    std::uint8_t ProMinUC = 0;     // minimum unit cost
    std::uint8_t ProMinUCRQ = 0;   // minimum unit cost as last estimated on request
    std::uint8_t ProCumBgt = 0;    // budget spent so far
    std::uint8_t ProReqBgt = 0;    // budget still required; 0 marks a finished prototype
    std::uint8_t ProReqBgtRQ = 0;  // required budget as last estimated on request
    std::uint8_t ProAllBgt = 0;    // budget allocated this period
    std::uint8_t ProCumProd = 0;
    std::uint8_t ProAllBgtOther = 0;  // budget allocated by a partner
    std::uint8_t ProDeveloper = 0;    // firm numbers
    std::uint8_t ProPartner = 0;
    std::uint8_t ProPreMkt = 0;
    std::uint8_t ProManCap = 0;
    std::uint8_t ProPerBeg = 0;  // periods
    std::uint8_t ProPerEnd = 0;
};

// The pre-drawn outcome numbers of one RunProjects, index 1..NbPros (0 unused).
using TOutcomeDraws = std::vector<double>;

// The two estimates of a set of technical levels, in whole money units.
struct TUnitCosts {
    double Suc = 0;  // standard unit cost
    double Muc = 0;  // minimum unit cost
};

class TModRnD {
public:
    // Binds the object to Data and a copy of Context whose zone becomes the
    // firm's home zone: series and column positions, "Technical" and
    // "UCParams" of the market, the parameters, the prototypes of the
    // context's period and the projects of the decision period. Called again to
    // move to another firm or market: on the same industry it keeps the columns
    // it found in the series. A missing array raises EModelError naming
    // it; a count beyond its arrays is cut to them with a level-0 log line.
    void Init(TCvInd& data, const TDataContext& context);
    // Points NbPros, ProNames, ProTecs and ProFins at the lists of Set for the
    // firm and market of Context (Init binds those of the context's period; the
    // R&D run binds those of the decision period). A missing list raises
    // EModelError and leaves the prototypes bound before.
    void BindPrototypes(TCvPerData& set);

    // The home zone of Firm: "HomeFta" of the constant part. A firm without
    // one, or with a zone outside the industry's, gets the nearest zone in
    // 1..number of zones (1 when it has none), with a level-0 log line.
    static std::int16_t HomeFta(const TCvInd& data, int firm);

    // Standard and minimum unit cost of the levels in row Row of Levels,
    // scaled by AdjCost and rounded to whole units. With OverEstimate, levels
    // that no finished prototype (of ProTecs/ProFins 1..NbPros) has get a
    // minimum unit cost raised by a draw between "MinUCOverEst" and
    // "MaxUCOverEst", the generator re-seeded from the decision period, firm,
    // zone and market first. Technical null: the market's own table.
    TUnitCosts CalcUCs(const TDynArr& proTecs, const TDynArr& proFins, int nbPros, const TDynArr& levels, int row,
                       const TDynArr* technical, double adjCost, bool overEstimate);
    // Development budget still required by the project of row Row of Levels and
    // LevelsFins ("ProMinUC", "ProStdUC", "ProReqUC" read there), scaled by
    // AdjCost, rounded to 10,000 and at least "MinRnDBgt". Levels that a
    // finished prototype already has make a cost-reduction project; others a
    // development project, whose budget OverEstimate raises by a re-seeded
    // draw between "MinDBOverEst" and "MaxDBOverEst" (and steepens below the
    // threshold). Technical and UCParams null: the market's own tables.
    double CalcReqBgt(const TDynArr& proTecs, const TDynArr& proFins, int nbPros, const TDynArr& levels,
                      const TDynArr& levelsFins, int row, const TDynArr* technical, const TDynArr* ucParams,
                      double adjCost, bool overEstimate);
    // The lowest "ProReqUC" of the finished prototypes ("ProReqBgt" exactly 0)
    // among 1..NbPros whose levels equal row Row of Levels; kUnknownUC if none.
    double KnownUC(const TDynArr& proTecs, const TDynArr& proFins, int nbPros, const TDynArr& levels, int row) const;

    // Project-list operations: they change the projects of the decision set.
    // NbPrjs and the stored "NbPrjs" := N; N outside 0..the project slots
    // raises ERangeError and changes nothing.
    void SetNbPrjs(int n);
    // Removes project I (1..NbPrjs, else ERangeError and nothing changes):
    // later projects move up one, the last slot is cleared, NbPrjs - 1.
    void DeleteProject(int i);

    // Name look-ups; letter case (a-z) is ignored and an empty name matches nothing.
    // Whether one of the projects 1..NbPrjs bears Name.
    bool IsProject(std::string_view name) const;
    // Whether no prototype 1..NbPros bears Name.
    bool IsUnusedProtoName(std::string_view name) const;
    // Whether no prototype and no project bears Name.
    bool IsFreeName(std::string_view name) const;
    // Position 1..NbPros of the first prototype bearing Name; 0 when none.
    int PrototypeIndex(std::string_view name) const;
    // Whether an unfinished prototype ("ProReqBgt" > 0) has no project of its name yet.
    bool HasPrototypeToContinue() const;

    // The R&D run of a forecast (see the notes in rnd_run.cpp). Run, once
    // before the plan pass: every firm's prototype lists of t are copied into
    // the results of t+1 for every firm and market first, then each firm's
    // contracts are applied zone by zone and its projects merged into the lists.
    // It binds the object itself; what it leaves bound is the last firm and market.
    void Run(TCvInd& data);
    // The steps of Run for the firm and market of Context (Init'ed before):
    // the copy of the lists of t; the contracts of Context's zone, loaded into
    // Contracts; the merge of the projects (Context's zone the home zone).
    void RunDup(TDataContext& context);
    void RunAlliances(TDataContext& context, TModCct& contracts);
    void MergeProsAndPrjs(TDataContext& context);
    // After the plan pass, per firm and market after Init: the outcome of each
    // open prototype against its pre-drawn number, re-costing in the money of
    // the period after the decision period, and the partners' copies (none in
    // an industry without zones, which has no money to cost them in). A context
    // period other than the current period raises EModelError.
    void RunProjects(TDataContext& context);
    // Whether a brand of any firm, in any zone, of the context's market is
    // built in t+1 on the prototype Name ("DecBrdPort" column "ProName"; case of
    // a-z ignored).
    bool IsMarketedBrandName(std::string_view name) const;
    // How many prototypes the bound list of t+1 can hold: 20, or fewer when
    // its arrays end earlier.
    int PrototypeCapacity() const;

    // The industry (not owned) and the bound context, its zone the home zone.
    TCvInd* Data = nullptr;
    TDataContext Context{};
    // Results of the context's period and of the decision period; decisions of
    // the decision period. Not owned.
    TCvPerData* ResCur = nullptr;
    TCvPerData* ResNext = nullptr;
    TCvPerData* DecNext = nullptr;
    // The series "Projet", "TecDimVars" and "ProFinances" (null when missing).
    TSeries* Projet = nullptr;
    TSeries* TecDimVars = nullptr;
    TSeries* ProFinances = nullptr;
    // Position of "Research" in "CostCategs": the cost category of R&D money.
    std::uint8_t ResearchCateg = 0;
    TTecDimColumns Tec;
    TProFinColumns Fin;
    // The prototypes: count and lists of a results set.
    std::int32_t NbPros = 0;
    TSimArr* ProNames = nullptr;
    TSimArr* ProTecs = nullptr;
    TSimArr* ProFins = nullptr;
    // Parameters of the constant part, with their defaults.
    double MinUCOverEst = 0;
    double MaxUCOverEst = 0;
    double MinDBOverEst = 0;
    double MaxDBOverEst = 0;
    double MinRnDBgtRatio = 0.8;
    double MaxRnDBgt = 20000000;
    double MinRnDBgt = 100000;
    // "Technical" [dimension, TecDimVars column] and "UCParams" [TecDimVars
    // position] of the market.
    const TSimArr* Technical = nullptr;
    const TSimArr* UCParams = nullptr;
    // Bounds of a requested unit cost in the R&D dialog.
    std::int32_t MinRUC = 10;
    std::int32_t MaxRUC = 1500;
    // The projects of the decision set.
    std::int32_t NbPrjs = 0;
    TSimArr* PrjNames = nullptr;
    TSimArr* PrjTecs = nullptr;
    TSimArr* PrjFins = nullptr;
    // Where the run's warnings are kept besides the model log (may be null; not owned).
    TWorkRec* WorkRec = nullptr;

private:
    // The industry whose series the columns above were found in.
    const TCvInd* columnsOf_ = nullptr;

    void FindColumns();
    void ReadParameters();
    void BindProjects();
    std::int32_t ReadCount(const TCvPerData& set, const TDataContext& context, std::string_view name,
                           int slots) const;
    int ProjectSlots() const;
    std::uint32_t Seed(int periodOffset, int factor) const;
    const TDynArr& TechnicalOr(const TDynArr* technical) const;
    const TDynArr& UCParamsOr(const TDynArr* ucParams) const;
    int NamePosition(const TSimArr* names, int count, std::string_view name) const;
    bool IsFinished(const TDynArr& proFins, int prototype) const;
    double DevelopmentBudget(const TDynArr& proTecs, const TDynArr& proFins, int nbPros, const TDynArr& levels, int row,
                             const TDynArr& technical) const;
    std::optional<double> DistanceToFinished(const TDynArr& proTecs, const TDynArr& proFins, int nbPros, double level,
                                             int dim) const;
    double UnitCostBudget(double suc, double muc, double ruc, double perUnit, bool overEstimate) const;
    double DrawFactor(int periodOffset, int factor, double low, double high);
    const TSeries& Dimensions() const;

    // The run (rnd_run.cpp, rnd_merge.cpp, rnd_outcomes.cpp).
    void Warn(const std::string& text) const;
    int RunFirms() const;
    bool IsThisFirm(double firm) const;
    void RequireRunLayout() const;
    TDataContext FirmContext(int firm) const;
    void ApplyDevelopment(const TCctRec& contract);
    void ApplyAcquisition(const TCctRec& contract);
    void MergeProject(int project);
    int NewPrototypeRow(std::string_view project);
    int ReusableSlot(bool unfinishedOnly) const;
    TOutcomeDraws PreDraw() const;
    bool RunOutcomePass(const TOutcomeDraws& draws, double adjCost);
    bool DecideOutcome(int prototype, double draw, double adjCost);
    // The figures every prototype's recosting shares, each found when first needed.
    struct TRecostMoney {
        std::optional<double> adjCost;
        std::optional<double> inflation;
    };
    void Recost(int prototype, TRecostMoney& money);
    void UpdatePartner(int prototype);
    double ResearchMoney(int period) const;
};

}  // namespace cv
