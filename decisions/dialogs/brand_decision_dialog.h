#pragma once
// TFoBrdDec: the base of the decision dialogs that work brand by brand in one
// market (brand portfolio, marketing mix, distribution). On top of
// TFoCv3Dec it holds the brand-level arrays of the page's zone and market in
// the three sets, and the look-ups that tell a new, withdrawn or modified
// brand by comparing the new portfolio with the current one. The arrays are
// bound again at every LoadDecisions, so that after a change of the page's
// market the dialog sees the new market's.

#include <string>
#include <string_view>

#include "decisions/dialogs/decision_dialog.h"

namespace cv {

class TSeries;
class TSimArr;

class TFoBrdDec : public TFoCv3Dec {
    Q_OBJECT

public:
    // Rows of a portfolio: at most five brands per firm and market.
    static constexpr int kMaxBrandRows = 5;

    TFoBrdDec(QWidget* owner, TDataContext& callerContext);

    // Loads the brand-level fields for the zone and market of CallerContext.
    // A derived dialog calls it before reading the arrays.
    void LoadDecisions() override;

    // Row 1..5 of Port whose brand name equals Name (ASCII letter case
    // ignored); 0 when none.
    static int FindBrand(std::string_view name, const TSimArr* port);
    bool IsNewBrand(std::string_view name) const;
    bool IsWithdrawnBrand(std::string_view name) const;
    // In both portfolios, with base projects of different names.
    bool IsModifiedBrand(std::string_view name) const;

    int NbChannels = 0;
    const TSeries* ChaSeries = nullptr;
    int NbSegments = 0;
    const TSeries* SegSeries = nullptr;
    int NbMktedBrdsCur = 0;
    int NbMktedBrdsDef = 0;
    int NbMktedBrdsNew = 0;
    TSimArr* PortCur = nullptr;
    TSimArr* PortDef = nullptr;
    TSimArr* PortNew = nullptr;
    TSimArr* BrdDecCur = nullptr;
    TSimArr* BrdDecDef = nullptr;
    TSimArr* BrdDecNew = nullptr;
    TSimArr* SegStratNew = nullptr;
    TSimArr* SegStratDef = nullptr;
    TSimArr* SegStratCur = nullptr;
    TSimArr* SlfAllocCur = nullptr;
    TSimArr* SlfAllocDef = nullptr;
    TSimArr* SlfAllocNew = nullptr;
    // The firm's brands of the decision period over every market.
    int NbBrdsAllMkts = 0;
};

}  // namespace cv
