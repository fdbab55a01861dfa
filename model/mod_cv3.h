#pragma once
// TModCV3: runs the model. With t the industry's current period, it predicts
// period t+1 from the firms' decisions and plans and leaves the prediction in
// the results set of t+1, in memory only. It makes the result arrays, puts the
// brands on sale in place for each zone and market, and drives the modules of
// one run over every zone and, within it, every market;
// the R&D model builds the prototype lists of t+1 before the plan pass and
// draws the projects' outcomes after it, and the default decisions of t+2
// close the run (docs/model.md gives the order).
//
// One error path for the whole model: Run catches every failure (EModelError
// and any other exception) in one place, frees the modules, puts back what the
// run wrote into the decisions of t+1, writes the reason to the model log at
// level 0, closes the log and the wait notice, leaves the results set of t+1
// freshly created with every array all zero, and returns false; the caller
// shows FailureReason() and does not mark a forecast as made (RunPlanForecast,
// model/plan_forecast.h). The default decisions of t+2 are all or nothing on
// their own and are the run's last step.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "model/decision_snapshot.h"
#include "model/mod_basic.h"
#include "model/period_arrays.h"

namespace cv {

class TModPref;
class TModDemand;
class TModDistr;
class TModManuf;
class TModStud;
class TModFinan;
class TModRnD;

// Run flags: a 16-bit set.
using TRunFlags = std::uint16_t;
// A full one-period simulation: the instructor's program; here it only answers with a message.
inline constexpr TRunFlags rfFullPeriod = 1;
// The marketing-plan pass: the only flag a caller of this program passes.
inline constexpr TRunFlags rfMarketingPlan = 2;

// The answer of the full-period branch.
inline constexpr char kFullPeriodMessage[] =
    "This version was not compiled with the appropriate options. Please contact Quenor.";
// The model log lives in the private directory, named this base, then t+1 in two digits, then ".TXT".
inline constexpr char kModelLogName[] = "CV3LOG";

class TModCV3 : public TModBasic {
public:
    TModCV3();
    ~TModCV3() override;

    // TModBasic::Init. A failure is kept, not raised: Run then reports it.
    void Init(TCvInd& data, TWorkRec* workRec) override;
    // With rfFullPeriod: the full-period message, nothing else, false. With
    // rfMarketingPlan: the prediction for t+1; true once it is in place, false
    // after a failure (see above).
    bool Run(TRunFlags flags);
    // Run's set-up (seed, an empty results set for t+1, the log, the modules)
    // and tear-down (modules freed, log closed).
    void Start(TRunFlags flags);
    void Finish(TRunFlags flags);
    // The plan pass over every zone and market.
    void RunMarketingPlan(TRunFlags flags);
    // Shows the full-period message in a plain box.
    void RunFullPeriod(TRunFlags flags);
    // Creates every result array and counter of t+1, empty, re-using the
    // arrays of the forecast that Start put aside; what is left of it is freed.
    void CreatePeriodArrays();
    // Turns the brand portfolio decisions of t+1 of zone Fta and market Mkt
    // into the market's marketed brands and link tables, and sets its age.
    void SetupMarketedBrands(int fta, int mkt);
    // Finds Name in Firm's prototype list ("ProNames" of t, current market,
    // entries 1.."NbPros"); true with its position in Index, false if absent.
    bool FindPrototype(std::string_view name, int firm, int& index) const;

    // Why the last Run failed; empty after a successful one.
    const std::string& FailureReason() const { return failureReason_; }

    // The modules, owned from Start to Finish and empty outside a run.
    std::unique_ptr<TModPref> PrefModule;
    std::unique_ptr<TModDemand> DemandModule;
    std::unique_ptr<TModDistr> DistrModule;
    std::unique_ptr<TModManuf> ManufModule;
    std::unique_ptr<TModStud> StudModule;
    std::unique_ptr<TModFinan> FinanModule;

private:
    void RunSteps(TRunFlags flags);
    void CreateCellArrays(int category, const TDataContext& cell);
    bool CopyFirmBefore(int category, const TDataContext& cell, const TPeriodCellNames& names);
    const TSeries* DimensionSeries(const TPeriodDim& dim) const;
    int SetupFirmBrands(int firm, int marketBrands, int capacity);
    void SetMarketAge(int marketBrands);
    // A firm's prototype list of t in the current market, and whether looking it up reported nothing.
    struct TPrototypeList {
        const TSimArr* names = nullptr;
        int count = 0;
        bool quiet = false;
    };
    TPrototypeList PrototypeList(int firm) const;
    bool FindListedPrototype(std::string_view name, int firm, int& index);
    bool FindPrototypeOwner(const std::string& prototype, int firm, int& owner, int& index);
    void CreateModules();
    void FreeModules();
    void OpenModelLog();
    void ShowWaitNotice();
    void PlanMarket(int fta, int mkt, TRunFlags flags);
    void RunProjects(TModRnD& rnd);
    bool HasDefaultPeriod() const;
    void RunDefaultDecisions();
    void Abandon(const std::string& reason);
    void RestoreDecisions();
    void ResetForecastPeriod();

    TDecisionSnapshot decisionsBefore_;
    // The links of t+1 that the modules of the run share once the marketed brands are set up.
    TLinkBook linkBook_;
    // The cells of the results of t+1 as the last forecast left them, from
    // Start until CreatePeriodArrays has made the new ones.
    std::unique_ptr<TCvPerData> spentForecast_;
    // The prototype lists of the market SetupMarketedBrands works on, per firm, once looked up.
    std::array<std::optional<TPrototypeList>, kMaxModelFirms + 1> prototypeLists_{};
    // The market's brands of t, which every brand of t+1 is looked up in, once read.
    std::optional<TModelNameIndex> marketBrandsT_;
    bool modelLogOpen_ = false;
    std::string initFailure_;
    std::string failureReason_;
};

}  // namespace cv
