#pragma once
// The industries that core's tests work on, built through the data store's own API: a small industry file with
// hand-derivable figures, in-memory series for the finance objects, the sample industry opened in a temporary
// directory, and industry-keyed volume sets.
//
// WriteSmallIndustry, for the session and industry tests: current period 4, scenario "Growth", periods 0..12, firms
// Alpha, Beta, Gamma, D\xe9lta (e acute), zones North and South, markets Sonites and Vodites, each market and zone with
// its series, the economics of both zones and the restriction words. Values are binary fractions, exact in a 6-byte
// real, so that tests can derive results by hand:
//
//   "Economics"[p, ExchangeRate]  = 2 for p = 0, 3 for other periods
//   "Economics"[p, InflationRate] = (p + 1) / 64
//   "Economics"[p, GnpGrowthRate] = p / 32
//   "DeflatFacs"[p, k]            = k / 128         (zone North only)
//   "CumInflation"[p, k]          = p / 16 + k / 256
//   zone South: every value above plus 1
//   "RestrictEnabled": rcDecisions 4 (bit 3, "NoRnD"), rcReport 0xFFFF
//   "RestrictHidden":  StuMkt 1 (bit 1, "ConsumerSurvey")

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/session/industry.h"
#include "core/store/cv_data.h"
#include "core/store/data_context.h"
#include "core/store/series.h"
#include "core/store/volume_set.h"
#include "tests/support/temp_dir.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv::test {

struct TSmallIndustryShape {
    // Number of markets and zones in their series (at most 3 get cell series).
    int markets = 2;
    int ftas = 2;
    // Whether the constant part holds the position of the period series.
    bool withPerSeries = true;
    // A position beyond the series list for the dimension series of market 2.
    bool badDimPosition = false;
};

void WriteSmallIndustry(const std::string& fileName, const TSmallIndustryShape& shape = {});

// Copies the industry file Source to Target without its volumes of type VolType.
void CopyIndustryWithout(const std::string& source, const std::string& target, int volType);

// Creates File as an empty volume set with the industry file's signature and keys.
void CreateIndustrySet(TVolSet& volumes, const std::string& file);

// The context of a cell: firm, zone and market.
TDataContext CellContext(int firm, int zone, int market);

// Adds the series Name of the series-index table to Industry's list, lo 1, with the table's labels in order.
TSeries& AddIndexedSeries(TCvData& industry, std::string_view name);
// Adds a series of Labels starting at Lo.
TSeries& AddSeries(TCvData& industry, std::string_view name, std::int16_t lo, const std::vector<std::string>& labels);
// Fills the series-index table from Industry's list (the industry forgets it when destroyed).
void IndexSeries(const TCvData& industry);

// Every variant of the sample: each kind of decisions under each kind of
// restrictions, the installed sample first. The list lives as long as the test
// program, so that a test can tell the first variant by its address.
const std::vector<sample::TSampleVariant>& EverySampleVariant();
// A variant's name, made of letters, digits and underscores.
std::string VariantName(const sample::TSampleVariant& variant);

// The sample industry (tools/sample_industry), or one of its variants, written into a temporary directory and opened as
// the team's industry, its series filled. Tests change its data in memory; nothing outlives the object.
class OpenSampleIndustry {
public:
    explicit OpenSampleIndustry(const sample::TSampleVariant& variant = {});
    ~OpenSampleIndustry();
    OpenSampleIndustry(const OpenSampleIndustry&) = delete;
    OpenSampleIndustry& operator=(const OpenSampleIndustry&) = delete;

    TCvInd& Industry() { return industry_; }
    // Firm and zone of the sample's current period 3 and decision period 4.
    static TDataContext Context(int firm, int zone);

private:
    TempDir dir_;
    TCvInd industry_;
};

}  // namespace cv::test
