#include "shell/selector/cv_bar.h"

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series.h"
#include "shell/page_window.h"
#include "ui/translate_component.h"

namespace cv {

TCvBar* CvBar = nullptr;

namespace {

// Colour-table numbers of the elements, by position.
const std::vector<int> kZoneColors = {14, 7, 13};        // Black, Water Blue, Khaki
const std::vector<int> kMarketColors = {2, 5, 1, 4};     // Blue, Fuchsia, Red, Canary Yellow
const std::vector<int> kFirmColors = {1, 2, 10, 5, 3, 11};  // Red, Blue, Maroon, Fuchsia, Green, Navy Blue

TCvInd* OpenIndustry() { return Session ? Session->Industry() : nullptr; }

}  // namespace

TCvBar::TCvBar(QWidget* owner) : TBar(owner) {
    CvBar = this;
    Fill();
}

TCvBar::~TCvBar() {
    if (CvBar == this) CvBar = nullptr;
}

void TCvBar::Fill() {
    TCvInd* industry = OpenIndustry();
    if (!industry) return;
    ClearGroups();
    AddGroup(1, *industry->PerSeries(), {0});
    if (industry->FtaSeries()->Count() > 1) AddGroup(0, *industry->FtaSeries(), kZoneColors);
    if (industry->MktSeries()->Count() > 1) AddGroup(0, *industry->MktSeries(), kMarketColors);
    AddGroup(0, *industry->FirSeries(), kFirmColors);
    SetPeriodRangeForCurrentPage();
    if (Translator && Translator->IsOpen()) TranslateComponent(*Translator, this);
}

void TCvBar::SetPeriodRangeForCurrentPage() {
    TCvInd* industry = OpenIndustry();
    const std::int16_t first = industry->PerSeries()->Lo();
    const std::int16_t current = industry->CurPeriod();
    if (first > current) return;
    // The decisions page reaches the period being decided.
    const bool decisions = TFoCv3Mod::Current() && TFoCv3Mod::Current()->Needs().decisionPeriod;
    SetPeriodRange(first, current + (decisions ? 1 : 0));
}

void TCvBar::SetPeriodRange(std::int32_t first, std::int32_t last) {
    if (TCvInd* industry = OpenIndustry()) SetGroupSpinRange(industry->PerSeries()->Name(), 1, first, last);
}

void TCvBar::Update(const TDataContext& context, const TPageSelectors& selectors) {
    TCvInd* industry = OpenIndustry();
    if (!industry) return DeactivateGroups();
    SetPeriodRangeForCurrentPage();
    TSelectorState period;
    period.Mode = context.PerBarMode;
    period.Values[0] = context.PerBarPeriod;
    period.Enabled[0] = context.PerBarFlag ? 1 : 0;
    SetGroupState(industry->PerSeries()->Name(), period);
    SetGroupState(industry->FirSeries()->Name(), selectors.Fir);
    SetGroupState(industry->FtaSeries()->Name(), selectors.Fta);
    SetGroupState(industry->MktSeries()->Name(), selectors.Mkt);
}

void TCvBar::SelectionChanged(TBarGrpBtn& group, QWidget* sender) {
    // Every page records the choice; only the current one rebuilds its display.
    for (int number = 1; number <= kPageCount; ++number)
        for (TFoCv3Mod* page : TFoCv3Mod::Pages())
            if (page->WindowNumber() == number) page->ApplySelector(group, sender);
}

}  // namespace cv
