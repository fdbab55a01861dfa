#pragma once
// TCheckDec: the consistency checks of one firm's decisions for the decision
// period. Each check appends keyed messages (language-file section 3) to a
// message list and returns how many it added; none of them changes a decision,
// except CheckDecStatus, which writes the firm's "DecStatus".
//
// A checker works on one zone: its context names the firm, zone, current and
// decision periods, and the checks walk the markets themselves (the context's
// market is the last one visited afterwards). TDecisionReview (decision_review.h)
// runs the page's three checks over every zone of the industry.
//
// Every array element is read through a bounds test: a missing array, or a row
// or column beyond its bounds, reads as 0 or an empty name.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/base/message_list.h"
#include "core/language/keyed_messages.h"
#include "core/stats/cv_interf.h"
#include "core/store/data_context.h"

namespace cv {

class TCvInd;
class TCvPerData;
class TDynArr;
class TFtaBudget;
class TSeries;

// The five parameters of the checks, read from the constant part of the
// context's zone and market (category 7), each with its default when absent.
struct TCheckParameters {
    double MaxPriVar1 = 0.3;       // largest price change in a period, a fraction of the last price
    double ExpEffReduc = 0.85;     // experience curve: cost factor per doubling
    double ExpEffMult = 2.0;       // ... the production multiple of a step
    double ExpEffBatch = 100000;   // ... the units of one batch
    double AdjustProdPlan = 0.2;   // the plan may sell this fraction more than is produced
};

// Firm-level status of the decisions: "DecStatus".
enum TDecStatus : std::int16_t { dsNoneTaken = 0, dsAllTaken = 1, dsSomeTaken = 2 };

// Message categories and severities of the builder.
inline constexpr int kCheckCategoryError = 1;
inline constexpr int kCheckCategoryWarning = 2;
inline constexpr int kSeverityBudget = 4;
inline constexpr int kSeverityWarning = 3;

class TCheckDec {
public:
    // Binds the results and decisions of Context's current period and the
    // decisions of its decision period in Industry. AdminView is the session's
    // administrator view: every restriction query then answers false.
    TCheckDec(TCvInd& industry, const TDataContext& context, bool adminView = false);
    // The same on the session's open industry and its administrator view;
    // without an open industry ECvError.
    explicit TCheckDec(const TDataContext& context);

    // Errors: the budget, the sales-force allocation, the brands.
    int CheckDecisions(TQnInfos& messages, const TDataContext& context);
    // Warnings: empty channels, brands without sales force, unsigned requests,
    // prototypes completed this period that no brand uses.
    int CheckWarnings(TQnInfos& messages, const TDataContext& context);
    // Decision groups not yet taken; writes "DecStatus" (1 all, 2 some, 0 none)
    // and returns 1 when every group is taken, else 0.
    int CheckDecStatus(TQnInfos& messages, const TDataContext& context);
    // Errors of the marketing plan.
    int CheckMktPlan(TQnInfos& messages, const TDataContext& context);
    // R&D contracts of the context's firm that its partner does not hold alike.
    int CheckContracts(TQnInfos& messages);
    // Over every firm: unsigned requests, decisions not all taken, contracts.
    int CheckAllFirms(TQnInfos& messages, const TDataContext& context);

    // The status CheckDecStatus wrote last (before any call: none taken).
    TDecStatus WrittenStatus() const { return writtenStatus_; }
    const TDataContext& Context() const { return context_; }

    // The money unit (line 6 of the globals entry "Units") and Amount / 1000
    // with thousands separators and no decimals.
    static std::string FormatUnits(double amount);

private:
    // The arrays of the context's firm, zone and market.
    struct TMarketVars {
        int NbMktedBrds = 0;
        int NbPrjs = 0;
        const TDynArr* Port = nullptr;         // new "DecBrdPort"
        const TDynArr* BrdDecs = nullptr;      // new "DecBrdCv3"
        const TDynArr* SegStrat = nullptr;
        const TDynArr* SlfAlloc = nullptr;
        const TDynArr* PrjNames = nullptr;
        const TDynArr* PrjFins = nullptr;
        const TDynArr* MPSegSales = nullptr;
        const TDynArr* MPBrdSegSales = nullptr;
        const TDynArr* MPBrdChaSales = nullptr;
        const TSeries* Segments = nullptr;
        TCheckParameters Parameters;
    };
    // Previous inventory and retail price of a brand (0 for a new brand).
    struct TPrevBrand {
        double Inventory = 0;
        double Price = 0;
    };

    void Begin(const TDataContext& context);
    void SelectMarket(int market);
    void LoadVars();
    void LoadBudget();
    bool Restricted(std::string_view item) const;

    void Add(TQnInfos& messages, std::string_view key, std::initializer_list<std::string> params, int category,
             int severity = 0);

    // Errors.
    int CheckBudget(TQnInfos& messages);
    int CheckSlfAllocation(TQnInfos& messages);
    int CheckBrands(TQnInfos& messages);
    int CheckBrand(TQnInfos& messages, int brand, double averageMargin);
    int CheckPriceChange(TQnInfos& messages, int brand, const TPrevBrand& previous, double price);
    double AvgFxResult() const;
    std::int32_t UnitCost(int brand) const;
    TPrevBrand FindPrevBrand(int brand) const;

    // Warnings.
    int CheckChannelsStaffed(TQnInfos& messages);
    int CheckBrandsStaffed(TQnInfos& messages);
    int CheckRequestsSigned(TQnInfos& messages);
    int CheckPrototypesUsed(TQnInfos& messages);

    // Decision groups.
    void CollectUntaken(std::string& brands, std::string& projects, int& all, int& some);

    // Plan.
    int CheckPlanSegments(TQnInfos& messages, int market, bool sizeOnly);
    int CheckPlanBrand(TQnInfos& messages, int brand);

    // Contracts.
    int CheckContract(TQnInfos& messages, int firm, int contract);
    int CheckContractProject(TQnInfos& messages, int firm, int partner, const std::string& project);

    std::string BrandName(int brand) const;
    std::string ZoneNamed(const std::string& text) const;
    // " (<zone>)" in an industry of several zones, else nothing.
    std::string ZoneSuffix() const;
    int NbMarkets() const;

    TCvInd& industry_;
    bool adminView_;
    TDataContext context_;
    TCVInfo info_;
    TCvInterf interf_;
    TCvPerData& results_;
    TCvPerData& curDecs_;
    TCvPerData& newDecs_;
    const TSeries* channels_ = nullptr;
    int slfDecStatus_ = 0;
    int studiesDecStatus_ = 0;
    const TDynArr* slfSize_ = nullptr;
    TMarketVars vars_;
    TFtaBudget* budget_ = nullptr;
    TDecStatus writtenStatus_ = dsNoneTaken;
};

}  // namespace cv
