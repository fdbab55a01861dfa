// The R&D run on the randomised fixture (d) with random prototypes, projects and
// contracts: what must hold whatever the draws.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/store/series_index.h"
#include "model/model_access.h"
#include "model/rnd/mod_rnd.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/rnd/rnd_world.h"

namespace cv {
namespace {

using test::TContractSpec;
using test::TProjectSpec;
using test::TPrototypeSpec;

constexpr double kMinRnDBgt = 100000;
constexpr double kOpenEnd = 32767;

class TRandomRnD {
public:
    TRandomRnD(test::TRnDWorld& rnd, const test::TFixtureSpec& spec, std::uint32_t seed)
        : rnd_(rnd), spec_(spec), random_(seed) {}

    void Build() {
        for (int firm = 1; firm <= spec_.firms; ++firm)
            for (int market = 1; market <= spec_.markets; ++market) {
                BuildPrototypes(firm, market);
                BuildProjects(firm, market);
            }
        for (int firm = 1; firm <= spec_.firms; ++firm)
            for (int zone = 1; zone <= spec_.zones; ++zone) BuildContracts(firm, zone);
    }

    const std::vector<TProjectSpec>& Projects(int firm, int market) const { return projects_[Cell(firm, market)]; }

private:
    int Draw(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
    std::vector<double> Levels() { return {1.0 * Draw(0, 100), 1.0 * Draw(0, 100), 1.0 * Draw(0, 100)}; }
    std::size_t Cell(int firm, int market) const {
        return static_cast<std::size_t>((firm - 1) * spec_.markets + market - 1);
    }
    // One of Items, drawn.
    template <class T>
    const T& Any(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Draw(0, static_cast<int>(items.size()) - 1))];
    }

    void BuildPrototypes(int firm, int market) {
        std::vector<TPrototypeSpec> prototypes;
        for (const std::string& name : spec_.Prototypes(firm, market)) {
            const double required = Draw(0, 1) ? 0 : 10000.0 * Draw(10, 100);
            prototypes.push_back({name, Levels(), required, 1.0 * Draw(50, 500), 10000.0 * Draw(0, 200)});
        }
        rnd_.SetPrototypes(firm, market, prototypes);
    }

    void BuildProjects(int firm, int market) {
        std::vector<TProjectSpec> projects;
        const std::vector<std::string>& own = spec_.Prototypes(firm, market);
        for (int k = 1, n = Draw(0, 3); k <= n; ++k) {
            std::string name = "N" + std::to_string(firm) + std::to_string(market) + std::to_string(k);
            if (Draw(0, 2) == 0) {
                name = Any(own);
                name[0] = 'p';  // a continuation, in another letter case
            }
            bool taken = false;
            for (const TProjectSpec& project : projects) taken = taken || SameModelName(project.name, name);
            if (!taken) projects.push_back({name, Levels(), 10000.0 * Draw(0, 300), 1.0 * Draw(50, 900)});
        }
        rnd_.SetProjects(firm, market, projects);
        if (projects_.size() <= Cell(firm, market)) projects_.resize(Cell(firm, market) + 1);
        projects_[Cell(firm, market)] = projects;
    }

    void BuildContracts(int firm, int zone) {
        std::vector<TContractSpec> contracts;
        for (int k = 1, n = Draw(0, 2); k <= n; ++k) {
            const int other = 1 + (firm - 1 + Draw(1, spec_.firms - 1)) % spec_.firms;
            const int market = Draw(1, spec_.markets);
            if (Draw(0, 1) && !Projects(firm, market).empty()) {
                const std::string& name = Any(Projects(firm, market)).name;
                contracts.push_back({"Dev", name, firm, other, 10000.0 * Draw(0, 50), 10000.0 * Draw(0, 50)});
            } else {
                contracts.push_back({"Acq", Any(spec_.Prototypes(other, market)), other, firm});
            }
        }
        rnd_.SetContracts(firm, zone, contracts);
    }

    test::TRnDWorld& rnd_;
    const test::TFixtureSpec& spec_;
    std::mt19937 random_;
    std::vector<std::vector<TProjectSpec>> projects_;
};

// Every name, level and finance element of every list of t+1.
std::vector<std::string> Snapshot(const test::TRnDWorld& rnd, const test::TFixtureSpec& spec) {
    std::vector<std::string> values;
    for (int firm = 1; firm <= spec.firms; ++firm)
        for (int market = 1; market <= spec.markets; ++market)
            for (int row = 1; row <= rnd.NbPros(firm, market); ++row) {
                values.push_back(rnd.ProName(firm, market, row));
                for (int dim = 1; dim <= 3; ++dim) values.push_back(std::to_string(rnd.ProTec(firm, market, row, dim)));
                for (int column = si::ProFinances->Lo(); column <= si::ProFinances->Hi(); ++column)
                    values.push_back(std::to_string(rnd.ProFin(firm, market, row, column)));
            }
    return values;
}

void ExpectListInvariants(const test::TRnDWorld& rnd, const test::TFixtureSpec& spec, const TRandomRnD& scenario,
                          int firm, int market) {
    SCOPED_TRACE("firm " + std::to_string(firm) + ", market " + std::to_string(market));
    const int count = rnd.NbPros(firm, market);
    ASSERT_LE(count, kMaxPrototypes);
    std::vector<std::string> names;
    for (int row = 1; row <= count; ++row) {
        const std::string name = rnd.ProName(firm, market, row);
        EXPECT_FALSE(name.empty()) << row;
        for (const std::string& before : names) EXPECT_FALSE(SameModelName(before, name)) << name << " twice";
        names.push_back(name);
        if (rnd.ProFin(firm, market, row, si::ProDeveloper) != firm) continue;
        const double required = rnd.ProFin(firm, market, row, si::ProReqBgt);
        EXPECT_TRUE(required == 0 || required >= kMinRnDBgt) << name << ": " << required;
        EXPECT_EQ(required == 0, rnd.ProFin(firm, market, row, si::ProPerEnd) != kOpenEnd) << name;
        EXPECT_GE(rnd.ProFin(firm, market, row, si::ProReqUC), rnd.ProFin(firm, market, row, si::ProMinUC)) << name;
    }
    auto listed = [&names](const std::string& name) {
        for (const std::string& held : names)
            if (SameModelName(held, name)) return true;
        return false;
    };
    // Nothing of t is lost (no list fills up here) and every project has its prototype.
    for (const std::string& name : spec.Prototypes(firm, market)) EXPECT_TRUE(listed(name)) << name;
    for (const TProjectSpec& project : scenario.Projects(firm, market))
        EXPECT_TRUE(listed(project.name)) << project.name;
}

TEST(RnDInvariants, RandomProjectsAndContractsKeepTheListsSoundAndTheRunReproducible) {
    for (const std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const test::TFixtureSpec spec = test::FixtureD(seed);
        test::TRnDWorld rnd(spec);
        TRandomRnD scenario(rnd, spec, seed);
        scenario.Build();
        rnd.RunRnD();
        for (int firm = 1; firm <= spec.firms; ++firm)
            for (int market = 1; market <= spec.markets; ++market)
                ExpectListInvariants(rnd, spec, scenario, firm, market);
        // A second run from the same data gives the same lists.
        const std::vector<std::string> first = Snapshot(rnd, spec);
        rnd.RunRnD();
        EXPECT_EQ(Snapshot(rnd, spec), first);
        EXPECT_TRUE(rnd.world.ui.errorBoxes.empty());
        EXPECT_TRUE(rnd.world.ui.plainBoxes.empty());
    }
}

}  // namespace
}  // namespace cv
