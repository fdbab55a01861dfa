#pragma once
// TFoMktMix: the marketing mix of the coming period, brand by brand, in one
// market: production, inventory sold to the trading company, advertising
// (mass communication and research), recommended price, the advertising's
// split over the segments and up to two perceptual objectives. Each line shows
// last period's decision, this one and the increase between them; typing the
// increase works out the decision.
//
// A brand's entries are checked, and written into the decision period's
// "DecBrdCv3" and "SegStrat", when the team switches tab or market or presses
// OK; a refused check keeps the brand on screen with the focus on the faulty
// field. The dialog opens on the tab it showed when last closed (TMixMemory).

#include <memory>
#include <string>

#include "decisions/dialogs/brand_decision_dialog.h"
#include "decisions/mix/mix_form.h"
#include "decisions/mix/mix_objectives.h"
#include "decisions/page/decision_areas.h"

namespace cv {

class TFoMktMix : public TFoBrdDec {
    Q_OBJECT

public:
    // Memory: the tab to open on, given back when the dialog closes.
    TFoMktMix(QWidget* owner, TDataContext& callerContext, TMixMemory& memory);

    // Shows the brands of the page's zone and market; the first call comes
    // from the constructor.
    void LoadDecisions() override;
    // Checks the brand shown and writes it; true with nothing to write.
    bool StoreDecisions() override;

    // Shows the brand called Name on the mix's fields.
    void DisplayBrand(const std::string& name);
    // The checks of the brand shown: the first failure says why, puts the
    // focus on its field and answers false.
    bool ValidateBrand();
    // Writes the brand shown into its tab's row of the decision period's arrays.
    void SaveDecisions();

    const TMixForm& Form() const { return form_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The tab shown becomes the one to open on next time.
    void done(int result) override;

private:
    // A brand's advertising as stored: its total in money units and the
    // share of it spent on research.
    struct TAdvertising {
        long double budget = 0;
        long double quality = 0;
    };
    // The advertising stored for Mass communication and Research in thousands.
    static TAdvertising Split(std::int32_t massCom, std::int32_t research);
    TAdvertising ShownAdvertising() const;
    TAdvertising StoredAdvertising() const;
    void WriteAdvertising(const TAdvertising& advertising);
    // The zone's budget, initialised with the decisions as they stand.
    TFtaBudget& ZoneBudget();
    // Narrows the range of Field, mass communication or research, to the
    // largest amount the zone's budget carries with the other field as shown;
    // where it carries none, the range is what one budget figure holds and
    // the budget's own message names the amount.
    void NarrowToBudget(TQNEdit& field);
    // Both advertising fields, each with the other as shown: when either is
    // left (the other's range follows what it shows) and again when the brand
    // is checked (the brand shown may have changed since).
    void NarrowAdvertisingToBudget();
    bool AdvertisingCarried();
    void SetUnitWords();
    void LayOutSegments();
    void ShowNoBrand();
    void ShowBrands();
    // Shows the brand of tab Tab, whose entries go to row Tab + 1.
    void ShowTab(int tab);
    void ShowInventory(const std::string& name, int lastRow, int row);
    void ShowCurrentInventory(long double thousands);
    void RecomputeIncrease(const TMixLine& line);
    void IncreaseLeft(const TMixLine& line);
    void RecomputeSegmentTotal();
    bool AllowTabChange();
    void OkPressed();
    bool CheckFilled(TQNEdit& field, int emptyLine);
    void Refuse(int line, QWidget* focus);

    TMixMemory& memory_;
    TMixForm form_;
    std::unique_ptr<TMixObjectives> objectives_;
    int segmentFieldLeft_ = 0;
    // The decision period's row of the brand shown: the row of its tab (the
    // tab bar may already show the next tab while the brand is being stored).
    int shownRow_ = 0;
    bool brandsShown_ = false;
};

// The factory the decisions page opens the marketing mix with.
std::unique_ptr<TFoCv3Dec> CreateMarketingMix(QWidget* owner, TDataContext& context, TMixMemory& memory);

}  // namespace cv
