#pragma once
// An R&D run scenario on a model fixture: the fixture opened through the model
// world, the R&D inputs the test derives its figures from set in memory, and
// the run made as the driver makes it (seed t x 7, TModRnD::Run, then Init and
// RunProjects per firm and market on the same object).
//
// Every scenario starts from the fixtures' cost rules (fixture_rnd.cpp), so that
// figures can be worked out by hand (3 dimensions in the fixtures):
//   "Technical"[d]: levels 0..100, 10,000 of budget per unit of level, unit cost
//   d per unit of level, minimum unit cost half the standard one; "UCParams":
//   unit costs costed up to 1,000, 1,000 of budget per unit of unit-cost
//   reduction; "MinRnDBgtRatio" 0.8 and "MinRnDBgt" 100,000 (the defaults).
//   Every zone: exchange rate 1, inflation 0 before the decision period d and
//   100 % from d on, no deflator: R&D money is 2 in d (AdjCost) and 4 in d + 1
//   (AdjCost2), and a requested unit cost doubles when re-costed.
// So levels L cost Suc = 2 x sum(d x L_d) and Muc = Suc / 2 in d; 4 x and 2 x
// that sum in d + 1.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/data_context.h"
#include "model/work_rec.h"
#include "tests/model/fixtures/fixture_industry.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
class TCvInd;
class TCvPerData;
class TModRnD;
class TSeries;
class TSimArr;
}  // namespace cv

namespace cv::test {

struct TPrototypeSetup {
    std::string name;
    std::vector<double> levels;
    double requiredBudget = 0;  // "ProReqBgt": 0 finished
    double requestedUC = 100;   // "ProReqUC" and "ProOldReqUC"
    double cumulatedBudget = 1000000;
    int begun = -1;  // "ProPerBeg"; -1: t - 1
};

struct TProjectSetup {
    std::string name;
    std::vector<double> levels;
    double allocated = 0;    // "ProAllBgt"
    double requestedUC = 0;  // "ProReqUC" and "ProOldReqUC"
};

struct TContractSetup {
    std::string type;
    std::string project;
    int firm1 = 0;  // developer or seller
    int firm2 = 0;  // partner or buyer
    double devBudget1 = 0;
    double devBudget2 = 0;
};

class TRnDWorld {
public:
    explicit TRnDWorld(const TFixtureSetup& setup);
    ~TRnDWorld();

    int t() const { return spec_.currentPeriod; }
    int d() const { return spec_.currentPeriod + 1; }

    // Inputs (each replaces what the cell held).
    void SetPrototypes(int firm, int market, const std::vector<TPrototypeSetup>& prototypes);
    void SetProjects(int firm, int market, const std::vector<TProjectSetup>& projects);
    void SetContracts(int firm, int zone, const std::vector<TContractSetup>& contracts);
    // The prototypes the firm's brands of t+1 in Zone and Market are built on.
    void SetMarketedPrototypes(int firm, int zone, int market, const std::vector<std::string>& prototypes);

    // The whole R&D run of a forecast; RunOnly stops after TModRnD::Run.
    void RunRnD();
    void RunOnly();

    // The prototype lists of t+1.
    int NbPros(int firm, int market) const;
    std::string ProName(int firm, int market, int row) const;
    double ProFin(int firm, int market, int row, int column) const;
    double ProTec(int firm, int market, int row, int dim) const;
    // Everything logged so far.
    std::string LogText() const;

    TModelWorld world;
    TCvInd& industry;
    TWorkRec work;

private:
    TDataContext Cell(int firm, int zone, int market) const;
    // The array Name of the firm's prototype list of t+1 in Market.
    const TSimArr& ListOfT1(int firm, int market, std::string_view name) const;
    // Seeds the generator as a forecast does (t x 7) and runs TModRnD::Run.
    void Start(TModRnD& rnd);
    TSimArr& Fresh(TCvPerData& set, int category, const TDataContext& cell, const std::string& name,
                   std::uint8_t kind, std::uint8_t subType, std::initializer_list<const TSeries*> dims);
    // Fresh names ("<Prefix>Names") and levels ("<Prefix>Tecs") of a list of the firm
    // and market, filled from Rows; returns its fresh finance array ("<Prefix>Fins").
    template <class Row>
    TSimArr& FreshList(TCvPerData& set, int firm, int market, const std::string& prefix, const TSeries* slots,
                       const std::vector<Row>& rows);
    void SetEconomy(int zone);

    TFixtureSetup spec_;
};

}  // namespace cv::test
