#pragma once
// The marketing-plan forecast as the plan dialog asks for it: the one
// operation that runs the model and records in the session whether a forecast
// stands, so that no caller can mark a forecast as made after a failed run.

#include <string>
#include <vector>

namespace cv {

class TSession;

struct TForecastOutcome {
    // Whether the forecast of t+1 stands in the results set of t+1.
    bool Done = false;
    // Why the run failed (the model's own message); empty when it succeeded.
    std::string Reason;
    // The run's warnings, each once, in the order they arose (also in the model log).
    std::vector<std::string> Warnings;
};

// Runs the marketing-plan forecast of Session's open industry: a work record
// of its own, the driver, Init, Run with rfMarketingPlan; the model log goes to
// the private directory of the program's session. Session.ForecastDone
// becomes the outcome: a failed run clears it, because the forecast period
// then holds nothing but zeros. Without an open industry nothing runs, the
// flag is cleared and the reason says so.
TForecastOutcome RunPlanForecast(TSession& session);

}  // namespace cv
