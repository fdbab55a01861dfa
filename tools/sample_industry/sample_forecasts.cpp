#include "tools/sample_industry/sample_forecasts.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>
#include <unistd.h>

#include "core/base/log_file.h"
#include "core/base/ui_services.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "model/mod_cv3.h"
#include "model/work_rec.h"

namespace cv::sample {

namespace fs = std::filesystem;

namespace {

// Passes the boxes on to the caller's services and keeps the forecast's wait
// notice to itself: writing the sample shows no notice of its own.
class TQuietNotices final : public UiServices {
public:
    explicit TQuietNotices(UiServices& next) : next_(next) {}
    void ShowPlainBox(const std::string& text) override { next_.ShowPlainBox(text); }
    void ShowErrorBox(const std::string& text) override { next_.ShowErrorBox(text); }
    TModalResult ShowMessageBox(TMsgDlgType type, TMsgDlgButtons buttons, const std::string& key,
                                const std::vector<int>& lines, TAlignment alignment) override {
        return next_.ShowMessageBox(type, buttons, key, lines, alignment);
    }
    void ShowProgressBox(const std::vector<std::string>& /*lines*/) override {}
    void CloseProgressBox() override {}
    void ShowMessageList(const TQnInfos& items, const TQnInfoTexts& texts, TAlignment alignment) override {
        next_.ShowMessageList(items, texts, alignment);
    }
    void ProcessPaintAndTimerEvents() override { next_.ProcessPaintAndTimerEvents(); }

private:
    UiServices& next_;
};

// A program tree of its own in the temporary directory, with a session on it,
// for the length of one forecast. The caller's session, log level and user
// interface services are put aside meanwhile; the tree is removed afterwards.
class TForecastSession {
public:
    TForecastSession()
        : saved_(std::move(Session)), savedLevel_(DebugLevel), savedUi_(Ui()), quiet_(savedUi_), root_(UniqueRoot()) {
        InstallUiServices(&quiet_);
        try {
            fs::create_directories(root_ / "Binaries");
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
        InstallUiServices(&savedUi_);
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    std::unique_ptr<TSession> saved_;
    int savedLevel_;
    UiServices& savedUi_;
    TQuietNotices quiet_;
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

std::vector<std::string> ForecastPeriod(TCvInd& industry, std::int16_t period) {
    if (LogIsOpen()) throw std::logic_error("sample industry: the forecasts would close the open log");
    const TForecastSession session;
    const TForecastPeriod current(industry, static_cast<std::int16_t>(period - 1));
    TWorkRec work;
    TModCV3 driver;
    driver.Init(industry, &work);
    if (!driver.Run(rfMarketingPlan))
        throw std::logic_error("sample industry: the forecast of period " + std::to_string(period) +
                               " failed: " + driver.FailureReason());
    return work.Warnings;
}

void ForecastSamplePeriod(TCvInd& industry, std::int16_t period) {
    const std::vector<std::string> warnings = ForecastPeriod(industry, period);
    if (!warnings.empty())
        throw std::logic_error("sample industry: the forecast of period " + std::to_string(period) +
                               " warned: " + warnings.front());
}

}  // namespace cv::sample
