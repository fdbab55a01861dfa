#pragma once
// The decisions page in the started program, on a variant of the sample
// industry, and a decision dialog for the page's protocol: it counts its loads
// and, on OK, sets brand 1's price of the page's zone and market to PriceOnOk
// (a refusal when Refuse is set).

#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "decisions/dialogs/decision_dialog.h"
#include "decisions/page/decision_page.h"
#include "tests/app/support/program_root.h"
#include "tests/decisions/page/shown_page.h"
#include "tests/ui/support/window_test.h"
#include "team/team_page.h"
#include "core/session/session.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv::test {

class PriceDialog : public TFoCv3Dec {
public:
    PriceDialog(QWidget* owner, TDataContext& context);
    void LoadDecisions() override { ++Loads; }
    bool StoreDecisions() override;

    static inline double PriceOnOk = 0;
    static inline bool Refuse = false;
    int Loads = 0;
};

class DecisionPageTest : public StartedProgramTest {
protected:
    // Opens the sample with Variant and shows the decisions page with the
    // price dialog registered for the marketing mix.
    void ShowPage(sample::TSampleVariant variant);
    void ShowPage(sample::TSampleDecisions decisions) { ShowPage({decisions, sample::TSampleRestrictions::None}); }
    // Shows the page again: it re-runs the checks.
    void Reactivate();
    QWidget* ShownWindow() override { return &Main(); }

    // Brand 1's price in zone Fta, market 1; the North's channel 1 without salespeople.
    void SetPrice(double price, int fta = 1);
    void EmptyChannel();

    QString StateText() const;
    QColor StateColour() const;
    bool ErrorsEnabled() const;
    // The keys and the title of the message list the errors button shows.
    std::vector<std::string> ListedKeys(std::string& title);
    // The messages, in full, of the list the errors button shows.
    std::vector<TQnInfo> ListedMessages();

    TFoDecision* page = nullptr;
};

}  // namespace cv::test
