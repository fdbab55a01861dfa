// The company report and the newsletter of the team's batch documents.
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/stats/cv_interf.h"
#include "reports/documents/cv_doc.h"
#include "reports/documents/decision_docs.h"
#include "reports/documents/team_documents.h"
#include "reports/newsletter/news_screen.h"
#include "reports/results/brand_result.h"
#include "reports/results/cumul_result.h"
#include "reports/results/firm_result.h"
#include "reports/results/rnd_proto_list.h"

namespace cv {
namespace {

// Sections of the company report, and the headings ("Sections" lines) of each.
enum TReportSection : int {
    kFirmResults = 1, kBrandResults = 2, kRnD = 4, kCumulative = 8, kMessages = 16, kPastDecisions = 32
};
constexpr int kFirmHeading = 2, kBrandHeading = 3, kRnDHeading = 4, kCumulativeHeading = 5, kDecisionsHeading = 1;
// Sections of the newsletter and their headings.
enum TNewsSection : int { kStockMarket = 1, kEconomy = 2, kBrands = 4 };
constexpr int kMarketHeading = 7, kStockMarketHeading = 12, kEconomyHeading = 13;

// Body(z) for each zone of the industry whose bit is in Mask, DocContext's zone set to it.
template <class Body>
void ForEachChosenZone(TCvDoc& doc, int mask, Body&& body) {
    doc.ForEachZone([&](int zone) {
        if (mask & (1 << (zone - 1))) body(zone);
    });
}

}  // namespace

// Every market's brands and projects are reported: the market mask is not used here.
// What belongs to the firm and not to a zone (the R&D projects section, and
// the past decisions' R&D projects and loan) comes once, in the first zone chosen.
bool BuildCompanyReport(TCvDoc& doc, const TDataContext& context, int zoneMask, int, int sections, int outputFlags,
                        int copies) {
    if (sections == 0) return true;
    doc.OpenDocument(TDocKind::CompanyReport, context);
    bool firstZone = true;
    ForEachChosenZone(doc, zoneMask, [&](int) {
        if (sections & kFirmResults) {
            doc.AddSectionTitle(kFirmHeading, false);
            doc.AddScreenOnce(doc.DocScreen<TFirResult>(TFirResult::kScoreCard));
            doc.AddScreenOnce(doc.DocScreen<TFirResult>(TFirResult::kNetContribution));
        }
        if (sections & kMessages) doc.AddScreenOnce(doc.DocScreen<TFirResult>(TFirResult::kMessages));
        if (sections & kBrandResults) {
            doc.AddSectionTitle(kBrandHeading, true);
            doc.AddScreenPerMarket(doc.DocScreen<TBrdResult>(static_cast<int>(TBrdResultKind::Contribution)));
            doc.AddScreenPerMarket(doc.DocScreen<TBrdResult>(static_cast<int>(TBrdResultKind::MarketResults)));
        }
        if ((sections & kRnD) && firstZone) {
            doc.AddSectionTitle(kRnDHeading, true);
            doc.AddScreenPerMarket(doc.DocScreen<TRnDProtoList>(TProtoListKind::AllProjects));
        }
        if (sections & kCumulative) {
            doc.AddSectionTitle(kCumulativeHeading, true);
            doc.AddScreenOnce(doc.DocScreen<TCumResult>(1));
            doc.AddScreenOnce(doc.DocScreen<TCumResult>(2));
        }
        if (sections & kPastDecisions) {
            doc.AddSectionTitle(kDecisionsHeading, true);
            AddDecisionSummaries(doc, firstZone);
        }
        firstZone = false;
    });
    return doc.CloseDocument(TDocKind::CompanyReport, outputFlags, copies);
}

// The scorecard once as values, then, after the first period, as changes.
bool BuildNewsletter(TCvDoc& doc, const TDataContext& context, int zoneMask, int marketMask, int sections,
                     int outputFlags, int copies) {
    if (sections == 0) return true;
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!industry) return false;
    const TCvInterf brands(*industry);
    doc.OpenDocument(TDocKind::Newsletter, context);
    ForEachChosenZone(doc, zoneMask, [&](int) {
        if (sections & kStockMarket) {
            doc.AddSectionTitle(kStockMarketHeading, true);
            doc.AddScreenOnce(doc.DocScreen<TNewsScr>(TNewsScr::kStockMarket));
            doc.DocContext.GraphOption = TNewsScr::kValuesMode;
            doc.AddScreenOnce(doc.DocScreen<TNewsScr>(TNewsScr::kScoreCard));
            if (doc.DocContext.SelPeriod > 0) {
                doc.DocContext.GraphOption = TNewsScr::kGrowthMode;
                doc.AddScreenOnce(doc.DocScreen<TNewsScr>(TNewsScr::kScoreCard));
            }
        }
        if (sections & kEconomy) {
            doc.AddSectionTitle(kEconomyHeading, true);
            doc.AddScreenOnce(doc.DocScreen<TNewsScr>(TNewsScr::kEconomicVariables));
            doc.AddScreenOnce(doc.DocScreen<TNewsScr>(TNewsScr::kStudyPrices));
        }
        if (!(sections & kBrands)) return;
        doc.ForEachMarket([&](int market) {
            if (!(marketMask & (1 << (market - 1))) || !brands.HasMarketedBrands(doc.DocContext)) return;
            doc.AddSectionTitle(kMarketHeading, true);
            doc.AddScreenOnce(doc.DocScreen<TNewsScr>(TNewsScr::kBrandCharacteristics));
            doc.AddScreenOnce(doc.DocScreen<TNewsScr>(TNewsScr::kBrandSales));
        });
    });
    return doc.CloseDocument(TDocKind::Newsletter, outputFlags, copies);
}

}  // namespace cv
