#include "model/mod_cv3.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/random_generator.h"
#include "core/session/session.h"
#include "core/base/text_format.h"
#include "core/base/ui_services.h"
#include "model/mod_demand.h"
#include "model/mod_distr.h"
#include "model/mod_finan.h"
#include "model/mod_manuf.h"
#include "model/mod_pref.h"
#include "model/mod_ddecs.h"
#include "model/mod_stud.h"
#include "model/rnd/mod_rnd.h"
#include "model/work_rec.h"

namespace cv {

namespace {

// The generator is seeded with the current period x 7 as an unsigned 32-bit
// value, so that a forecast draws the same numbers every time (t = -1 gives 2^32 - 7).
constexpr std::int64_t kSeedFactor = 7;

std::uint32_t ForecastSeed(int currentPeriod) { return static_cast<std::uint32_t>(currentPeriod * kSeedFactor); }

}  // namespace

TModCV3::TModCV3() { UseLinkBook(&linkBook_); }

TModCV3::~TModCV3() { FreeModules(); }

void TModCV3::Init(TCvInd& data, TWorkRec* workRec) {
    initFailure_.clear();
    try {
        TModBasic::Init(data, workRec);
    } catch (const std::exception& error) {
        initFailure_ = error.what();
    }
}

bool TModCV3::Run(TRunFlags flags) {
    failureReason_.clear();
    if (flags & rfFullPeriod) {
        RunFullPeriod(flags);
        failureReason_ = kFullPeriodMessage;
        return false;
    }
    try {
        if (!Data()) throw EModelError("the model driver was not initialised");
        if (!initFailure_.empty()) throw EModelError(initFailure_);
        RunSteps(flags);
        return true;
    } catch (const std::exception& error) {
        Abandon(error.what());
    } catch (...) {
        Abandon("unknown failure");
    }
    return false;
}

// The R&D run builds the prototype lists of t+1 before the plan pass; the
// projects' outcomes are drawn after it, behind the wait notice, from the
// generator as Start seeded it (the plan pass draws nothing).
void TModCV3::RunSteps(TRunFlags flags) {
    Start(flags);
    decisionsBefore_.Take(*Data(), *DecisionsT1());
    CreatePeriodArrays();
    for (int fta = 1; fta <= Data()->NbFtas(); ++fta)
        for (int mkt = 1; mkt <= Data()->NbMarkets(); ++mkt) {
            SetMarket(fta, mkt);
            SetupMarketedBrands(fta, mkt);
        }
    linkBook_.Open();
    TModRnD rnd;
    rnd.WorkRec = WorkRec();
    rnd.Run(*Data());
    if (flags & rfMarketingPlan) RunMarketingPlan(rfMarketingPlan);
    ShowWaitNotice();
    RunProjects(rnd);
    if (HasDefaultPeriod()) RunDefaultDecisions();
    decisionsBefore_.Clear();
    Finish(flags);
    Ui().CloseProgressBox();
}

// Per firm and market on the same R&D object; the context keeps the zone the
// plan pass ended on (the R&D model moves to the firm's home zone itself).
void TModCV3::RunProjects(TModRnD& rnd) {
    const int firms = std::min(static_cast<int>(Data()->NbFirms()), kMaxModelFirms);
    for (int firm = 1; firm <= firms; ++firm)
        for (int mkt = 1; mkt <= Data()->NbMarkets(); ++mkt) {
            Ctx().SelFirm = static_cast<std::int16_t>(firm);
            Ctx().SelMarket = static_cast<std::int16_t>(mkt);
            rnd.Init(*Data(), Ctx());
            rnd.RunProjects(rnd.Context);
        }
}

// Default decisions exist for t+2 only while t+1 is before the last period of
// the period series; in the last one the decisions of t+2 are left untouched.
bool TModCV3::HasDefaultPeriod() const { return PerSeries() && Data()->CurPeriod() + 1 < PerSeries()->Hi(); }

void TModCV3::RunDefaultDecisions() {
    TModDDecs defaults;
    defaults.Init(*Data(), WorkRec());
    defaults.UseLinkBook(&linkBook_);
    defaults.Run();
}

void TModCV3::Start(TRunFlags /*flags*/) {
    FreeModules();
    linkBook_.Close();
    const int t = Data()->CurPeriod();
    SetRandomSeed(ForecastSeed(t));
    TCvPerData& forecast = Data()->NewPerResults(t + 1);
    spentForecast_ = std::make_unique<TCvPerData>();
    spentForecast_->SwapCells(forecast);
    BindForecastPeriod(forecast);
    OpenModelLog();
    CreateModules();
}

void TModCV3::Finish(TRunFlags /*flags*/) {
    FreeModules();
    linkBook_.Close();
    LogClose();
    modelLogOpen_ = false;
}

void TModCV3::OpenModelLog() {
    if (!Session) throw EModelError("no session: the private directory for the model log is unknown");
    const std::string& dir = Session->PrivateDir();
    std::error_code ignored;  // a directory that cannot be made is reported when the log cannot open
    std::filesystem::create_directories(dir, ignored);
    LogOpen(dir + kModelLogName, Data()->CurPeriod() + 1);
    modelLogOpen_ = true;
    LogFmt(0, "Marketing-plan forecast of period %d", {Data()->CurPeriod() + 1});
}

// Each module is initialised right after its creation, so that it opens the
// fresh results set of t+1.
void TModCV3::CreateModules() {
    auto create = [this](auto& module) {
        module = std::make_unique<typename std::remove_reference_t<decltype(module)>::element_type>();
        module->Init(*Data(), WorkRec());
        module->UseLinkBook(&linkBook_);
    };
    create(PrefModule);
    create(DemandModule);
    create(DistrModule);
    create(ManufModule);
    create(FinanModule);
    create(StudModule);
}

void TModCV3::FreeModules() {
    PrefModule.reset();
    DemandModule.reset();
    DistrModule.reset();
    FinanModule.reset();
    ManufModule.reset();
    StudModule.reset();
}

void TModCV3::RunMarketingPlan(TRunFlags flags) {
    if (!PrefModule) throw EModelError("the plan pass runs only between Start and Finish");
    Ctx().SelFirm = 0;
    for (int fta = 1; fta <= Data()->NbFtas(); ++fta)
        for (int mkt = 1; mkt <= Data()->NbMarkets(); ++mkt) PlanMarket(fta, mkt, flags);
    ManufModule->BackBone(flags);
    DistrModule->FinishZones(flags);
    FinanModule->BackBone(flags);
}

void TModCV3::PlanMarket(int fta, int mkt, TRunFlags flags) {
    Ctx().SelFta = static_cast<std::int16_t>(fta);
    Ctx().SelMarket = static_cast<std::int16_t>(mkt);
    if (WorkRec()) WorkRec()->ClearScratch();
    SetMarket(fta, mkt);
    if (NbMktedBrdsT1() == 0) return;
    PrefModule->SetMarket(fta, mkt);
    DistrModule->SetMarket(fta, mkt);
    PrefModule->PrepareMarket();
    DistrModule->PlanSales(flags);
}

void TModCV3::RunFullPeriod(TRunFlags /*flags*/) { Ui().ShowPlainBox(kFullPeriodMessage); }

void TModCV3::ShowWaitNotice() {
    Ui().ShowProgressBox({FormatText("Running the simulation   -   Period %d", {Data()->CurPeriod() + 1}),
                          "100% completed", "", "Please wait ..."});
}

// The one error path of the model: nothing of a half-made forecast is left.
void TModCV3::Abandon(const std::string& reason) {
    failureReason_ = reason;
    FreeModules();
    linkBook_.Close();
    if (!modelLogOpen_ && Data() && Session) OpenModelLog();
    LogFmt(0, "Model run abandoned: %s", {reason});
    RestoreDecisions();
    ResetForecastPeriod();
    LogClose();
    modelLogOpen_ = false;
    Ui().CloseProgressBox();
}

// The statuses and alliance fields written into the decisions of t+1 go back
// to what they were before the run.
void TModCV3::RestoreDecisions() {
    try {
        decisionsBefore_.Restore();
    } catch (const std::exception& error) {
        decisionsBefore_.Clear();
        LogFmt(0, "The decisions of period %d could not be put back: %s", {Data()->CurPeriod() + 1, error.what()});
    }
}

// The results set of t+1 becomes a fresh one whose arrays are all zero; when
// even the arrays cannot be made, it stays empty.
void TModCV3::ResetForecastPeriod() {
    if (!Data()) return;
    const int forecast = Data()->CurPeriod() + 1;
    if (forecast < kFirstResultPeriod || forecast > kLastResultPeriod) return;
    Data()->FreePerResults(forecast);
    BindForecastPeriod(Data()->NewPerResults(forecast));
    try {
        CreatePeriodArrays();
    } catch (const std::exception& error) {
        LogFmt(0, "The forecast period is left empty: %s", {error.what()});
        Data()->FreePerResults(forecast);
        BindForecastPeriod(Data()->NewPerResults(forecast));
    }
}

}  // namespace cv
