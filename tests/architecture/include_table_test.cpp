#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/architecture/include_rules.h"
#include "tests/support/temp_dir.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

std::vector<TIncludeRule> DocumentedTable() {
    return ReadIncludeTable(fs::path(CV_SOURCE_DIR) / "docs" / "architecture.md");
}

std::string Listed(const std::vector<TIncludeBreach>& breaches) {
    std::ostringstream text;
    for (const TIncludeBreach& breach : breaches)
        text << breach.file << ": " << (breach.include.empty() ? "in no row of the table" : breach.include) << "\n";
    return text.str();
}

TEST(IncludeTable, EverySourceFileIncludesOnlyWhatTheDocumentedTableAllows) {
    const std::vector<TIncludeRule> table = DocumentedTable();
    ASSERT_GE(table.size(), 10u) << "the table under \"## Which folder may include which\" in docs/architecture.md";
    const std::vector<TIncludeBreach> breaches = IncludeBreaches(table, CV_SOURCE_DIR);
    EXPECT_TRUE(breaches.empty()) << Listed(breaches);
}

struct TTreeCase {
    const char* file;
    const char* text;
    bool breaks;
};

// A scratch tree read against the documented table: each file alone.
TEST(IncludeTable, IncludesThatCallUpOrSidewaysAreFoundAndTheOthersPass) {
    const TTreeCase cases[] = {
        {"core/base/numbers.cpp", "#include \"core/base/errors.h\"\n", false},
        {"core/base/numbers.cpp", "#include \"core/store/series.h\"\n", true},
        {"core/session/session.cpp", "#include <QString>\n", true},
        {"model/mod_cv3.cpp", "  #  include \"ui/qn_form.h\"\n", true},
        {"ui/qn_form.cpp", "#include \"core/session/session.h\"\n#include <QWidget>\n", false},
        {"ui/report/cv_screen.cpp", "#include \"shell/page_window.h\"\n", true},
        {"shell/main_window.cpp", "#include \"team/team_page.h\"\n", true},
        {"reports/results/firm_result.cpp", "#include \"reports/screen/result_screen.h\"\n", false},
        {"reports/results/firm_result.cpp", "#include \"reports/pages/results_page.h\"\n", true},
        {"reports/results/firm_result.cpp", "#include \"team/bank_dialog.h\"\n", true},
        {"reports/pages/results_page.cpp", "#include \"shell/group_page.h\"\n", false},
        {"team/bank_dialog.cpp", "#include \"reports/results/firm_result.h\"\n", false},
        {"team/team_page.cpp", "#include \"reports/pages/results_page.h\"\n", true},
        {"app/main.cpp", "#include \"reports/pages/results_page.h\"\n#include \"team/bank_dialog.h\"\n", false},
        {"unlisted/thing.cpp", "", true},
        {"tests/core/anything_test.cpp", "#include \"app/program_start.h\"\n", false},
    };
    const std::vector<TIncludeRule> table = DocumentedTable();
    for (const TTreeCase& c : cases) {
        TempDir root;
        fs::create_directories((root.path() / c.file).parent_path());
        WriteFileBytes(root.path() / c.file, c.text);
        EXPECT_EQ(!IncludeBreaches(table, root.path()).empty(), c.breaks) << c.file << " with " << c.text;
    }
}

}  // namespace
}  // namespace cv::test
