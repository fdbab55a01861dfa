#include "model/decision_snapshot.h"

#include <algorithm>

#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/store/typed_array.h"
#include "core/session/industry.h"

namespace cv {

namespace {

constexpr char kBrandDecisions[] = "DecBrdCV3";
constexpr char kProjectFinances[] = "PrjFins";

TDataContext CellOf(int firm, int zone, int market) {
    TDataContext context;
    context.SelFirm = static_cast<std::int16_t>(firm);
    context.SelFta = static_cast<std::int16_t>(zone);
    context.SelMarket = static_cast<std::int16_t>(market);
    return context;
}

}  // namespace

TDecisionSnapshot::TDecisionSnapshot() = default;

TDecisionSnapshot::~TDecisionSnapshot() = default;

void TDecisionSnapshot::Clear() { saved_.clear(); }

void TDecisionSnapshot::Take(const TCvInd& data, TCvPerData& decisions) {
    saved_.clear();
    const int firms = std::clamp(static_cast<int>(data.NbFirms()), 0, kMaxCellFirm);
    const int zones = std::clamp(static_cast<int>(data.NbFtas()), 0, kMaxCellZone);
    const int markets = std::clamp(static_cast<int>(data.NbMarkets()), 0, kMaxCellMarket);
    for (int firm = 1; firm <= firms; ++firm)
        for (int market = 1; market <= markets; ++market) {
            Keep(decisions.FindSimArr(kCategoryFirmMarket, CellOf(firm, 0, market), kProjectFinances));
            for (int zone = 1; zone <= zones; ++zone)
                Keep(decisions.FindSimArr(kCategoryFirmFtaMarket, CellOf(firm, zone, market), kBrandDecisions));
        }
}

void TDecisionSnapshot::Keep(TSimArr* live) {
    if (!live) return;
    auto copy = std::make_unique<TSimArr>();
    copy->Assign(*live);
    saved_.push_back({live, std::move(copy)});
}

void TDecisionSnapshot::Restore() {
    for (TSaved& saved : saved_) saved.live->Assign(*saved.copy);
    saved_.clear();
}

}  // namespace cv
