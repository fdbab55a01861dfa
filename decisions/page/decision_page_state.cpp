// The state panel of the decisions page: two lines in one colour, and the
// button that lists the messages.
#include <QPalette>

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "decisions/page/decision_page.h"
#include "ui/cp1252.h"
#include "ui/platform_color.h"

namespace cv {

namespace {

// Platform colour values, 0x00BBGGRR. On the panel's black ground each reads
// with a contrast of at least 5 to 1; a dark green (0x008000) would not.
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kYellow = 0x00FFFF;
constexpr std::uint32_t kGreen = 0x00C000;
// 10 points at the 96 dots per inch the forms are drawn for.
constexpr int kStatePixelSize = 13;
constexpr char kStateKey[] = "QnNoMessage";

std::uint32_t StateColour(TReviewLine line) {
    switch (line) {
        case rlComplete: return kGreen;
        case rlWarnings: return kYellow;
        default: return kRed;
    }
}

}  // namespace

void TFoDecision::RefreshErrors() {
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!industry) return;
    Data.DecPeriod = static_cast<std::int16_t>(industry->DecPeriod());
    checkMessages_.Clear();
    review_ = ReviewDecisions(*industry, Data, Session->AdminView(), checkMessages_);
    ShowState(ReviewLine(review_));
}

void TFoDecision::ShowState(TReviewLine line) {
    BBErrors_->setEnabled(line != rlComplete);
    std::string first;
    std::string second;
    if (Translator) {
        Translator->MessagesLine(kStateKey, line, first);
        Translator->MessagesLine(kStateKey, line + 1, second);
    }
    labErrWng_->setText(Cp1252ToQString(first) + QLatin1Char('\n') + Cp1252ToQString(second));
    QFont font = labErrWng_->font();
    font.setPixelSize(kStatePixelSize);
    labErrWng_->setFont(font);
    QPalette palette = labErrWng_->palette();
    palette.setColor(QPalette::WindowText, PlatformColor(StateColour(line)));
    labErrWng_->setPalette(palette);
}

}  // namespace cv
