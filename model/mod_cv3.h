#pragma once
// TModCV3: the model driver. It forecasts the decision period t+1 (t is the
// industry's current period) from the firms' decisions and marketing plans and
// writes the forecast into the in-memory results set of t+1: it creates the
// result arrays, sets up the marketed brands of every zone and market, owns
// the modules for one run and walks them zone by zone and market by market;
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

#include <cstdint>
#include <memory>
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
// Base name of the model log in the private directory: "CV3LOG" + t+1 as two digits + ".TXT".
inline constexpr char kModelLogName[] = "CV3LOG";

class TModCV3 : public TModBasic {
public:
    TModCV3();
    ~TModCV3() override;

    // TModBasic::Init. A failure is kept, not raised: Run then reports it.
    void Init(TCvInd& data, TWorkRec* workRec) override;
    // With rfFullPeriod: the full-period message, nothing else, false. With
    // rfMarketingPlan: the forecast of t+1; true when it stands in the results
    // set of t+1, false after a failure (see above).
    bool Run(TRunFlags flags);
    // The first and last steps of Run: seeding, the fresh results set of t+1,
    // the model log and the modules; then freeing them and closing the log.
    void Start(TRunFlags flags);
    void Finish(TRunFlags flags);
    // The plan pass over every zone and market.
    void RunMarketingPlan(TRunFlags flags);
    // Shows the full-period message in a plain box.
    void RunFullPeriod(TRunFlags flags);
    // Creates every result array and counter of t+1, empty.
    void CreatePeriodArrays();
    // Turns the brand portfolio decisions of t+1 of zone Fta and market Mkt
    // into the market's marketed brands and link tables, and sets its age.
    void SetupMarketedBrands(int fta, int mkt);
    // True with Index = the 1-based position of Name among Firm's "ProNames"
    // of t in the current market (1.."NbPros"); false when absent.
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
    const TSeries* DimensionSeries(const TPeriodDim& dim) const;
    int SetupFirmBrands(int firm, int marketBrands, int capacity);
    void SetMarketAge(int marketBrands);
    bool FindPrototypeOwner(const std::string& prototype, int firm, int& owner, int& index) const;
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
    bool modelLogOpen_ = false;
    std::string initFailure_;
    std::string failureReason_;
};

}  // namespace cv
