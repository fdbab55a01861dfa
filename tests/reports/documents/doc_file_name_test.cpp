// The documents' file names: every kind's letter, with and without the firm's
// initial, the period in two digits, the industry's data name cut at its
// first ".".
#include <gtest/gtest.h>

#include <filesystem>

#include "core/session/session.h"
#include "reports/documents/cv_doc.h"
#include "tests/reports/support/results_fixture.h"

namespace cv {
namespace {

struct TNameCase {
    TDocKind kind;
    int period;
    int firmSwitch;
    const char* name;
};

class DocFileNameTest : public test::ResultsTest, public ::testing::WithParamInterface<TNameCase> {};

// The sample is "SAMPLE.ind" in the private directory; the team is firm 1, labelled "A".
TEST_P(DocFileNameTest, LetterFirmInitialAndPeriod) {
    const TNameCase& c = GetParam();
    TCvDoc doc(owner.get());
    doc.DocContext = Context(3);
    EXPECT_EQ(DocFileName(doc, DocKindSettings(c.kind).letter, c.period, c.firmSwitch), Session->PrivateDir() + c.name);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DocFileNameTest,
                         ::testing::Values(TNameCase{TDocKind::CompanyReport, 3, 1, "SAMPLERA03.xlsx"},
                                           TNameCase{TDocKind::CompanyReport, 3, 0, "SAMPLER03.xlsx"},
                                           TNameCase{TDocKind::Newsletter, 0, 1, "SAMPLENA00.xlsx"},
                                           TNameCase{TDocKind::Newsletter, 0, 0, "SAMPLEN00.xlsx"},
                                           TNameCase{TDocKind::Studies, 7, 1, "SAMPLESA07.xlsx"},
                                           TNameCase{TDocKind::Studies, 7, 0, "SAMPLES07.xlsx"},
                                           TNameCase{TDocKind::Decisions, 12, 1, "SAMPLEDA12.xlsx"},
                                           TNameCase{TDocKind::Decisions, 12, 0, "SAMPLED12.xlsx"},
                                           TNameCase{TDocKind::Budget, 3, 2, "SAMPLEBA03.xlsx"},
                                           TNameCase{TDocKind::Budget, 3, 0, "SAMPLEB03.xlsx"},
                                           TNameCase{TDocKind::MarketingPlan, 4, 1, "SAMPLEPA04.xlsx"},
                                           TNameCase{TDocKind::MarketingPlan, 4, -1, "SAMPLEP04.xlsx"},
                                           TNameCase{TDocKind::HardCopy, 3, 1, "SAMPLEHA03.xlsx"},
                                           TNameCase{TDocKind::HardCopy, 3, 0, "SAMPLEH03.xlsx"}));

// The initial is the document's firm's, not the team's; the data name stops at the first ".".
TEST_F(DocFileNameTest, TheDocumentsFirmAndTheDataName) {
    const std::filesystem::path copy = std::filesystem::path(Session->IndDir()) / "ALPHA.v2.ind";
    std::filesystem::copy_file(Session->IndFullPath(), copy);
    Session->IndClose();
    ASSERT_TRUE(Session->IndOpen(copy.string()));
    TCvDoc doc(owner.get());
    doc.DocContext = Context(3);
    doc.DocContext.SelFirm = 3;  // labelled "I"
    EXPECT_EQ(DocFileName(doc, 'R', 3, 3), Session->PrivateDir() + "ALPHARI03.xlsx");
}

}  // namespace
}  // namespace cv
