#include "tools/sample_industry/sample_forecasts.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "core/base/log_file.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "model/mod_cv3.h"
#include "model/work_rec.h"

namespace cv::sample {

namespace fs = std::filesystem;

namespace {

// A program tree of its own in the temporary directory, with a session on it,
// for the length of one forecast. The caller's session and log level are put
// aside meanwhile; the tree is removed afterwards.
class TForecastSession {
public:
    TForecastSession() : saved_(std::move(Session)), savedLevel_(DebugLevel), root_(UniqueRoot()) {
        fs::create_directories(root_ / "Binaries");
        try {
            Session = std::make_unique<TSession>((root_ / "Binaries" / "make_sample_industry").string());
        } catch (...) {
            Restore();
            throw;
        }
        DebugLevel = 0;  // the model log only names the run
    }
    ~TForecastSession() { Restore(); }
    TForecastSession(const TForecastSession&) = delete;
    TForecastSession& operator=(const TForecastSession&) = delete;

private:
    static fs::path UniqueRoot() {
        static std::atomic<unsigned> next{0};
        return fs::temp_directory_path() / ("cv-sample-" + std::to_string(getpid()) + "-" + std::to_string(next++));
    }

    void Restore() noexcept {
        Session = std::move(saved_);
        DebugLevel = savedLevel_;
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    std::unique_ptr<TSession> saved_;
    int savedLevel_;
    fs::path root_;
};

// Sets the industry's current period for the run and puts the previous one back.
class TForecastPeriod {
public:
    TForecastPeriod(TCvInd& industry, std::int16_t current) : industry_(industry), saved_(industry.CurPeriod()) {
        Set(current);
    }
    ~TForecastPeriod() { Set(saved_); }
    TForecastPeriod(const TForecastPeriod&) = delete;
    TForecastPeriod& operator=(const TForecastPeriod&) = delete;

private:
    void Set(std::int16_t period) {
        industry_.SetCurPeriod(period);
        industry_.InitSeries();
    }

    TCvInd& industry_;
    std::int16_t saved_;
};

}  // namespace

void ForecastSamplePeriod(TCvInd& industry, std::int16_t period) {
    if (LogIsOpen()) throw std::logic_error("sample industry: the forecasts would close the open log");
    const TForecastSession session;
    const TForecastPeriod current(industry, static_cast<std::int16_t>(period - 1));
    TWorkRec work;
    TModCV3 driver;
    driver.Init(industry, &work);
    const std::string where = "sample industry: the forecast of period " + std::to_string(period);
    if (!driver.Run(rfMarketingPlan)) throw std::logic_error(where + " failed: " + driver.FailureReason());
    if (!work.Warnings.empty()) throw std::logic_error(where + " warned: " + work.Warnings.front());
}

}  // namespace cv::sample
