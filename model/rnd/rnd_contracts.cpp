#include "model/rnd/rnd_contracts.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/language/language_file.h"
#include "core/base/log_file.h"
#include "core/base/text_format.h"
#include "model/model_access.h"
#include "model/rnd/rnd_columns.h"
#include "model/rnd/rnd_rows.h"

namespace cv {

namespace {

constexpr int kParty1 = 1;  // the developer or the seller
constexpr int kParty2 = 2;  // the partner or the buyer

constexpr std::string_view kDevType = "Dev";
constexpr std::string_view kAcqType = "Acq";

struct TPairTerm {
    std::uint8_t TCctTermColumns::*column;
    TCctPair TCctRec::*field;
    std::string_view label;
};

constexpr TPairTerm kPairTerms[] = {
    {&TCctTermColumns::Firm, &TCctRec::Firm, "Firm"},
    {&TCctTermColumns::ExclUse, &TCctRec::ExclUse, "ExclUse"},
    {&TCctTermColumns::CctAllowed, &TCctRec::CctAllowed, "CctAllowed"},
    {&TCctTermColumns::DevBgt, &TCctRec::DevBgt, "DevBgt"},
    {&TCctTermColumns::RoyLump, &TCctRec::RoyLump, "RoyLump"},
    {&TCctTermColumns::RoyUnit, &TCctRec::RoyUnit, "RoyUnit"},
    {&TCctTermColumns::RoySales, &TCctRec::RoySales, "RoySales"},
    {&TCctTermColumns::RoyMin, &TCctRec::RoyMin, "RoyMin"},
};

struct TSingleTerm {
    std::uint8_t TCctTermColumns::*column;
    double TCctRec::*field;
    std::string_view label;
};

constexpr TSingleTerm kSingleTerms[] = {
    {&TCctTermColumns::PerSigned, &TCctRec::PerSigned, "PerSigned"},
    {&TCctTermColumns::Per1stUse, &TCctRec::Per1stUse, "Per1stUse"},
    {&TCctTermColumns::Duration, &TCctRec::Duration, "Duration"},
};

std::string CutText(const std::string& text) { return text.substr(0, kCctTextMax); }

// The lowest and highest of the term columns the record reads.
std::pair<int, int> TermColumnRange(const TCctTermColumns& columns) {
    std::pair<int, int> range{INT_MAX, INT_MIN};
    auto widen = [&range](int column) {
        range.first = std::min(range.first, column);
        range.second = std::max(range.second, column);
    };
    for (const TPairTerm& term : kPairTerms) widen(columns.*term.column);
    for (const TSingleTerm& term : kSingleTerms) widen(columns.*term.column);
    return range;
}

}  // namespace

TCctKind TCctRec::Kind() const {
    if (SameTextAscii(CctType, kDevType)) return TCctKind::Dev;
    if (SameTextAscii(CctType, kAcqType)) return TCctKind::Acq;
    return TCctKind::Other;
}

void TModCct::Load(TCvInd* data, const TDataContext& context) {
    // Loaded into a copy: a failure leaves the bound table as it was.
    TModCct loaded = *this;
    if (data) loaded.data_ = data;
    if (!loaded.data_) throw EModelError("TModCct: no industry to load the contracts from");
    loaded.context_ = context;
    if (loaded.columnsOf_ != loaded.data_) {
        loaded.FindColumns();
        loaded.columnsOf_ = loaded.data_;
    }
    loaded.decNext_ = &loaded.data_->PerDecisions(loaded.data_->DecPeriod());
    loaded.cctWhat_ = &RequireArr(*loaded.decNext_, kCategoryFirmFta, context, "CctWhat");
    loaded.cctTerms_ = &RequireArr(*loaded.decNext_, kCategoryFirmFta, context, "CctTerms");
    loaded.RequireShapes();
    const std::int16_t stored = loaded.decNext_->GetSmallint(kCategoryFirmFta, context, "NbCcts");
    const int slots = std::max(0, static_cast<int>(std::min(loaded.cctWhat_->UB(1), loaded.cctTerms_->UB(1))));
    loaded.nbCcts_ = std::clamp(static_cast<int>(stored), 0, slots);
    if (loaded.nbCcts_ != stored)
        LogFmt(0, "NbCcts = %d outside 0..%d in %s: %d used",
               {stored, slots, loaded.decNext_->DescribeCell(kCategoryFirmFta, context), loaded.nbCcts_});
    *this = loaded;
}

void TModCct::FindColumns() {
    const TSeries* whatSeries = data_->FindSeries("CctWhat");
    what_.CctType = ColumnOf(whatSeries, "CctType");
    what_.PrjName = ColumnOf(whatSeries, "PrjName");
    const TSeries* termSeries = data_->FindSeries("CctTerms");
    for (const TPairTerm& term : kPairTerms) terms_.*term.column = ColumnOf(termSeries, term.label);
    for (const TSingleTerm& term : kSingleTerms) terms_.*term.column = ColumnOf(termSeries, term.label);
}

// Every element a record reads lies inside the table (a missing label, 127, never does).
void TModCct::RequireShapes() const {
    const auto [firstWhat, lastWhat] = std::minmax(what_.CctType, what_.PrjName);
    RequireSpan(*cctWhat_, "CctWhat", 2, firstWhat, lastWhat);
    RequireSpan(*cctTerms_, "CctTerms", 2, kParty1, kParty2);
    const auto [first, last] = TermColumnRange(terms_);
    RequireSpan(*cctTerms_, "CctTerms", 3, first, last);
}

bool TModCct::NeedsReload(const TDataContext& context) const {
    return !data_ || context.SelFirm != context_.SelFirm || context.SelFta != context_.SelFta ||
           context.SelMarket != context_.SelMarket;
}

int TModCct::GetNbCcts(const TDataContext& context) {
    if (NeedsReload(context)) Load(nullptr, context);
    return nbCcts_;
}

TCctRec TModCct::GetCctByRank(const TDataContext& context, int rank) {
    if (NeedsReload(context)) Load(nullptr, context);
    // A rank outside the table is a caller's fault: it abandons the model run, never the program.
    if (rank < 1 || rank > nbCcts_) {
        const std::string reason = FormatText("TModCct.GetCctByRank not enough Ccts iFir=%d iFta=%d aCct=%d nCct=%d",
                                              {context_.SelFirm, context_.SelFta, rank, nbCcts_});
        LogFmt(1, "%s", {reason});
        throw EModelError(reason);
    }
    TCctRec record;
    record.CctType = CutText(cctWhat_->GetZts({rank, what_.CctType}));
    record.PrjName = CutText(cctWhat_->GetZts({rank, what_.PrjName}));
    for (const TPairTerm& term : kPairTerms) {
        const std::uint8_t column = terms_.*term.column;
        (record.*term.field)[0] = cctTerms_->GetReal48({rank, kParty1, column});
        (record.*term.field)[1] = cctTerms_->GetReal48({rank, kParty2, column});
    }
    for (const TSingleTerm& term : kSingleTerms)
        record.*term.field = cctTerms_->GetReal48({rank, kParty1, terms_.*term.column});
    return record;
}

}  // namespace cv
