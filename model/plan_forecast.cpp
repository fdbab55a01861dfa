#include "model/plan_forecast.h"

#include "core/session/session.h"
#include "model/mod_cv3.h"
#include "model/work_rec.h"

namespace cv {

namespace {

constexpr char kNoIndustry[] = "no industry is open";

}  // namespace

TForecastOutcome RunPlanForecast(TSession& session) {
    TForecastOutcome outcome;
    session.ForecastDone = false;
    if (!session.Industry()) {
        outcome.Reason = kNoIndustry;
        return outcome;
    }
    TWorkRec work;
    TModCV3 driver;
    driver.Init(*session.Industry(), &work);
    outcome.Done = driver.Run(rfMarketingPlan);
    outcome.Reason = driver.FailureReason();
    outcome.Warnings = std::move(work.Warnings);
    session.ForecastDone = outcome.Done;
    return outcome;
}

}  // namespace cv
