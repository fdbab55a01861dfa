// The market-studies page in the started program on the sample industry: the
// default item and the menu under the instructor's restrictions, study
// screens and charts through the menu, the combos above a chart, the screens
// that stand in for a chart whose study cannot be shown, copy and print.
//
// Team A bought every market study of M1 in period 3 and, of M2, only the
// distribution panel, the market forecast and the advertising experiment; in
// period 2 it bought, in M1, the consumer panel, the perceptual map, the
// competitive sales force and the conjoint analysis. M1 markets nine brands
// in period 3 and eight in period 2, M2 two.
#include <QAbstractButton>
#include <QApplication>
#include <algorithm>
#include <QClipboard>
#include <QComboBox>
#include <QToolButton>
#include <filesystem>
#include <gtest/gtest.h>

#include "core/language/translator.h"
#include "core/store/series_index.h"
#include "graphs/maps/cja_utils_graph.h"
#include "graphs/maps/perc_map.h"
#include "graphs/maps/relation_graphs.h"
#include "graphs/studies_page/studies_page.h"
#include "reports/studies/studies.h"
#include "ui/report/qn_table.h"
#include "team/team_page.h"
#include "tests/reports/support/group_page_fixture.h"
#include "tests/reports/support/hard_copy_cells.h"
#include "tests/ui/printing/scripted_printer.h"
#include "tests/ui/support/chart_labels.h"
#include "tests/ui/support/document_files.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/painted_texts.h"
#include "tests/ui/support/window_test.h"

namespace cv {
namespace {

constexpr int kM2 = 2;

class StudiesPageTest : public test::GroupPageTest<TFoMStudies> {
protected:
    StudiesPageTest() : GroupPageTest(si::StuMktCateg) {}
    template <class Chart>
    Chart* Shown() const {
        return dynamic_cast<Chart*>(page->Display().Chart());
    }
    TStuMkt* ShownStudy() const { return dynamic_cast<TStuMkt*>(page->Display().Screen()); }
    // Sets the bit of Key in Category's word of "RestrictEnabled" (Hidden false) or "RestrictHidden".
    void RestrictStudy(const std::int8_t& category, const std::int8_t& key, bool hidden) {
        TSimArr* words = Session->Industry()->ConstPart().FindSimArr(
            kCategoryIndustry, TDataContext{}, hidden ? "RestrictHidden" : "RestrictEnabled");
        ASSERT_NE(words, nullptr);
        words->SetWord({category}, words->GetWord({category}) | (1u << (key - 1)));
    }
    // These tests need the conjoint study open, as the installed sample leaves it.
    void ReopenUnrestricted() {
        Session->IndClose();
        root.OpenSampleIndustry({sample::TSampleDecisions::Sample, sample::TSampleRestrictions::None});
        Main().RefreshAll();
    }
    void ShowAt(int period, int market = 1) {
        Main().ShowPage(page);
        ChoosePeriod(period);
        page->Data.SelMarket = static_cast<std::int16_t>(market);
    }
    void PickCombo(int position, int index) {
        QComboBox* combo = page->Combos().Combo(position);
        ASSERT_NE(combo, nullptr);
        ASSERT_TRUE(combo->isVisible());
        combo->setCurrentIndex(index);
    }
};

struct TDefaultCase {
    std::vector<const std::int8_t*> restricted;  // keys of "StuMkt"
    bool benchmarkRestricted;
    const char* expected;
};

TEST_F(StudiesPageTest, DefaultItemIsTheFirstStudyTheInstructorLeavesFree) {
    const TDefaultCase cases[] = {
        {{}, false, "MPStuConsAwa"},
        {{&si::ConsumerSurvey}, false, "MPStuConsUMS"},
        {{&si::ConsumerSurvey, &si::ConsumerPanel}, false, "MPStuDPanelUMS"},
        {{&si::ConsumerSurvey, &si::ConsumerPanel, &si::DistributPanel}, false, "MPStuSemGraph"},
        {{&si::ConsumerSurvey, &si::ConsumerPanel, &si::DistributPanel, &si::SemanticScales}, false, "MPStuMapGraph"},
        {{&si::ConsumerSurvey, &si::ConsumerPanel, &si::DistributPanel, &si::SemanticScales, &si::PerceptualMap},
         false, "MPStuIntelAdv"},
        {{&si::ConsumerSurvey, &si::ConsumerPanel, &si::DistributPanel, &si::SemanticScales, &si::PerceptualMap,
          &si::CompetitiveAdv},
         false, "MPStuIntelSlf"},
        {{&si::ConsumerSurvey, &si::ConsumerPanel, &si::DistributPanel, &si::SemanticScales, &si::PerceptualMap,
          &si::CompetitiveAdv, &si::CompetitiveSlf},
         false, "MPStuBenchFta"},
        {{&si::ConsumerSurvey, &si::ConsumerPanel, &si::DistributPanel, &si::SemanticScales, &si::PerceptualMap,
          &si::CompetitiveAdv, &si::CompetitiveSlf},
         true, "MPStuExpAdv"},
        {{&si::ConsumerSurvey, &si::ConsumerPanel, &si::DistributPanel, &si::SemanticScales, &si::PerceptualMap,
          &si::CompetitiveAdv, &si::CompetitiveSlf, &si::ExperimentAdv, &si::ExperimentSlf, &si::MarketForecast},
         true, "MPStuCjaGraphU"},
        {{&si::ConsumerSurvey, &si::ConsumerPanel, &si::DistributPanel, &si::SemanticScales, &si::PerceptualMap,
          &si::CompetitiveAdv, &si::CompetitiveSlf, &si::ExperimentAdv, &si::ExperimentSlf, &si::MarketForecast,
          &si::Conjoint},
         true, "MPStuConsAwa"},
    };
    int index = 0;
    for (const TDefaultCase& c : cases) {
        Session->IndClose();
        root.OpenSampleIndustry({sample::TSampleDecisions::Sample, sample::TSampleRestrictions::None});
        // Disabled and hidden studies count alike: every other case hides.
        const bool hidden = index++ % 2 == 1;
        for (const std::int8_t* key : c.restricted) RestrictStudy(si::StuMktCateg, *key, hidden);
        if (c.benchmarkRestricted) RestrictStudy(si::StuFtaCateg, si::Benchmark, hidden);
        page->PickDefaultScreen();
        EXPECT_EQ(Remembered(), c.expected) << "case " << index;
    }
}

struct TEnablingCase {
    const std::int8_t* category;
    const std::int8_t* key;
    std::vector<const char*> barred;
    std::vector<const char*> free;
};

TEST_F(StudiesPageTest, EachItemFollowsItsOwnStudyAndAGroupStaysWhileOneOfItsItemsIsFree) {
    const TEnablingCase cases[] = {
        {&si::StuMktCateg, &si::ConsumerSurvey, {"MPStuConsAwa", "MPStuConsPI", "MPStuConsSHab"},
         {"MPStuConsUMS", "MPStuCons"}},
        {&si::StuMktCateg, &si::ConsumerPanel, {"MPStuConsUMS"}, {"MPStuConsAwa", "MPStuCons"}},
        {&si::StuMktCateg, &si::SemanticScales,
         {"MPStuSem", "MPStuSemGraph", "MPStuSemBrd", "MPStuSemIP", "MPStuSemIPHist1", "MPStuSemRelation"},
         {"MPStuMap", "MPStuMapGraph"}},
        {&si::StuFtaCateg, &si::Benchmark, {"MPStuBenchFta", "MPStuBenchMkt", "MPStuBenchFtaPerc", "MPStuBenchMktPerc"},
         {"MPStuIntel", "MPStuIntelAdv", "MPStuIntelSlf"}},
        {&si::StuMktCateg, &si::MarketForecast, {"MPStuMFor1"}, {"MPStuExp", "MPStuExpAdv"}},
        {&si::StuMktCateg, &si::Conjoint, {"MPStuCja", "MPStuCjaGraphU", "MPStuCjaUtils", "MPStuCjaWeights"},
         {"MPStuExp"}},
    };
    for (bool hidden : {false, true}) {
        for (const TEnablingCase& c : cases) {
            Session->IndClose();
            root.OpenSampleIndustry({sample::TSampleDecisions::Sample, sample::TSampleRestrictions::None});
            RestrictStudy(*c.category, *c.key, hidden);
            page->UpdateMenus();
            for (const char* item : c.barred)
                EXPECT_FALSE(hidden ? page->Item(item)->isVisible() : page->Item(item)->isEnabled()) << item;
            for (const char* item : c.free) {
                EXPECT_TRUE(page->Item(item)->isEnabled()) << item;
                EXPECT_TRUE(page->Item(item)->isVisible()) << item;
            }
        }
    }
    // Both consumer studies barred: the group goes too.
    RestrictStudy(si::StuMktCateg, si::ConsumerSurvey, false);
    RestrictStudy(si::StuMktCateg, si::ConsumerPanel, false);
    page->UpdateMenus();
    EXPECT_FALSE(page->Item("MPStuCons")->isEnabled());
}

TEST_F(StudiesPageTest, WithOneMarketTheMarketBenchmarkingItemsAreDisabled) {
    Main().ShowPage(page);
    EXPECT_TRUE(page->Item("MPStuBenchMkt")->isEnabled());
    OpenOneMarketVariant();
    Main().RefreshAll();
    page->UpdateMenus();
    EXPECT_FALSE(page->Item("MPStuBenchMkt")->isEnabled());
    EXPECT_FALSE(page->Item("MPStuBenchMktPerc")->isEnabled());
    EXPECT_TRUE(page->Item("MPStuBenchFta")->isEnabled());
}

TEST_F(StudiesPageTest, ARememberedCoverageGivesWayWhenTheDistributionPanelIsRestricted) {
    Main().ShowPage(page);
    Choose("MPStuDistrCov");
    Main().ShowPage(windows.teamPage);
    RestrictStudy(si::StuMktCateg, si::DistributPanel, false);
    Main().ShowPage(page);
    EXPECT_EQ(Remembered(), "MPStuConsAwa");
    ASSERT_NE(ShownStudy(), nullptr);
    EXPECT_EQ(ShownStudy()->ScreenNumber(), 1);
}

TEST_F(StudiesPageTest, ConsumerSurveyAwarenessIsATableAndTheBarChoosesTheMarket) {
    Main().ShowPage(page);
    ExpectPageShown(TFoMStudies::kHelpContext, "MStudies");
    EXPECT_EQ(Remembered(), "MPStuConsAwa");
    TStuMkt* study = ShownStudy();
    ASSERT_NE(study, nullptr);
    EXPECT_EQ(study->ScreenNumber(), 1);
    EXPECT_EQ(study->GetStatus(), ssShown);
    EXPECT_EQ(page->Display().Chart(), nullptr);
    ExpectMarketChoice({{"MPStuConsAwa", true}, {"MPStuBenchFta", false}, {"MPStuBenchMkt", true},
                        {"MPStuMapGraph", true}});
    Choose("MPStuConsAwa");
    // Copy puts the table on the clipboard as text.
    page->CopyToClipboard();
    EXPECT_NE(QApplication::clipboard()->text().indexOf("ALBA"), -1);
    test::SaveScreenshot(Main(), "StudiesPageTest_Awareness");
}

// Every study of a market lets the team choose the market on the bar; the
// benchmarks of the whole zone do not.
TEST_F(StudiesPageTest, EveryMarketStudyLetsTheMarketBeChosen) {
    Main().ShowPage(page);
    ExpectMarketChoice({{"MPStuConsAwa", true},      {"MPStuConsPI", true},       {"MPStuConsSHab", true},
                        {"MPStuConsUMS", true},      {"MPStuDPanelUMS", true},    {"MPStuDistrCov", true},
                        {"MPStuSemGraph", true},     {"MPStuSemBrd", true},       {"MPStuSemIP", true},
                        {"MPStuSemIPHist1", true},   {"MPStuSemRelation", true},  {"MPStuMapGraph", true},
                        {"MPStuMapBrd", true},       {"MPStuMapIP", true},        {"MPStuMapIPHist1", true},
                        {"MPStuMapInfluence", true}, {"MPStuMapRelation", true},  {"MPStuIntelAdv", true},
                        {"MPStuIntelSlf", true},     {"MPStuBenchFta", false},    {"MPStuBenchMkt", true},
                        {"MPStuBenchFtaPerc", false}, {"MPStuBenchMktPerc", true}, {"MPStuExpAdv", true},
                        {"MPStuExpSlf", true},       {"MPStuMFor1", true},        {"MPStuCjaGraphU", true},
                        {"MPStuCjaUtils", true},     {"MPStuCjaWeights", true}});
}

TEST_F(StudiesPageTest, AStudyNotBoughtShowsItsExplanation) {
    ReopenUnrestricted();
    ShowAt(3, kM2);
    Choose("MPStuConsAwa");
    TStuMkt* study = ShownStudy();
    ASSERT_NE(study, nullptr);
    EXPECT_EQ(study->GetStatus(), ssNotBought);
    ASSERT_NE(study->Table(), nullptr);
    EXPECT_EQ(study->Table()->Sheet().objectName(), "StuInfos");
    EXPECT_TRUE(study->IsEmpty());
    test::SaveScreenshot(Main(), "StudiesPageTest_StuInfos");
    // The conjoint chart gives way to the conjoint screen, with its explanation.
    Choose("MPStuCjaGraphU");
    EXPECT_EQ(page->Display().Chart(), nullptr);
    ASSERT_NE(ShownStudy(), nullptr);
    EXPECT_EQ(ShownStudy()->ScreenNumber(), 24);
    EXPECT_EQ(ShownStudy()->GetStatus(), ssNotBought);
}

// The distribution panel team A bought in M2 in period 3 shows its brands'
// shares of each channel.
TEST_F(StudiesPageTest, TheDistributionPanelBoughtInM2ShowsItsBrands) {
    ReopenUnrestricted();
    ShowAt(3, kM2);
    Choose("MPStuDPanelUMS");
    TStuMkt* study = ShownStudy();
    ASSERT_NE(study, nullptr);
    EXPECT_EQ(study->ScreenNumber(), 5);
    EXPECT_EQ(study->GetStatus(), ssShown);
    page->CopyToClipboard();
    for (const char* brand : {"AMOR", "AVEN"}) EXPECT_NE(QApplication::clipboard()->text().indexOf(brand), -1) << brand;
    test::SaveScreenshot(Main(), "StudiesPageTest_DistributionPanelM2");
}

// Every study disabled: the page's default item is the first, and it says the study is not allowed.
TEST_F(StudiesPageTest, ARestrictedStudyShowsItsExplanation) {
    for (const std::int8_t* key : {&si::ConsumerSurvey, &si::ConsumerPanel, &si::DistributPanel, &si::SemanticScales,
                                   &si::PerceptualMap, &si::CompetitiveAdv, &si::CompetitiveSlf, &si::ExperimentAdv,
                                   &si::ExperimentSlf, &si::MarketForecast, &si::Conjoint})
        RestrictStudy(si::StuMktCateg, *key, false);
    RestrictStudy(si::StuFtaCateg, si::Benchmark, false);
    Main().ShowPage(page);
    EXPECT_EQ(Remembered(), "MPStuConsAwa");
    EXPECT_FALSE(page->Item("MPStuConsAwa")->isEnabled());
    TStuMkt* study = ShownStudy();
    ASSERT_NE(study, nullptr);
    EXPECT_EQ(study->GetStatus(), ssNotAllowed);
    ASSERT_NE(study->Table(), nullptr);
    EXPECT_EQ(study->Table()->Sheet().objectName(), "StuInfos");
    EXPECT_TRUE(study->Table()->Sheet().isVisible());
    EXPECT_EQ(test::CellText(*study->Table(), study->Table()->OriginRow() + 1, 1),
              Translator->GetLine(kSectionStudies, "StuInfos", 1));
    test::SaveScreenshot(Main(), "StudiesPageTest_RestrictedStuInfos");
}

TEST_F(StudiesPageTest, AMarketOfTwoBrandsShowsItsBrandPositionsInsteadOfThePerceptualMap) {
    ShowAt(3, kM2);
    Session->SetAdminView(true);  // bought or not, two brands are too few for the map
    Choose("MPStuMapGraph");
    EXPECT_EQ(page->Display().Chart(), nullptr);
    ASSERT_NE(ShownStudy(), nullptr);
    EXPECT_EQ(ShownStudy()->ScreenNumber(), 11);
    EXPECT_EQ(ShownStudy()->GetStatus(), ssNotApplicable);
    Choose("MPStuMapRelation");
    ASSERT_NE(ShownStudy(), nullptr);
    EXPECT_EQ(ShownStudy()->ScreenNumber(), 11);
    // The semantic map needs one brand: drawn on M2's own four scales, the
    // last two by default.
    Choose("MPStuSemGraph");
    auto* map = Shown<TStdPercMap>();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->HorzAxis(), 4);
    EXPECT_EQ(map->VertAxis(), 3);
    EXPECT_EQ(page->Combos().Combo(1)->currentIndex(), 3);
    EXPECT_EQ(page->Combos().Combo(3)->currentIndex(), 2);
    EXPECT_EQ(page->Data.StudyChoice3, 4);
    Session->SetAdminView(false);
}

TEST_F(StudiesPageTest, PerceptualMapIsAChartThatAComboRebuilds) {
    ShowAt(3);
    Choose("MPStuMapGraph");
    auto* map = Shown<TStdPercMap>();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->Kind(), mkPerceptual);
    EXPECT_EQ(map->Items().items.size(), 12u);  // three ideal points, nine brands
    EXPECT_EQ(page->Data.StudyChoice1, 1);
    EXPECT_EQ(page->Data.StudyChoice2, 2);
    EXPECT_EQ(page->Combos().Combo(1)->count(), 3);
    EXPECT_GE(map->y(), page->Combos().Combo(3)->geometry().bottom());
    const double before = *map->Data(1, 8);
    PickCombo(3, 2);  // the third dimension up the map
    map = Shown<TStdPercMap>();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(page->Data.StudyChoice2, 3);
    EXPECT_EQ(map->VertAxis(), 3);
    EXPECT_EQ(map->Axis(1).title, "Style");
    EXPECT_NE(*map->Data(1, 8), before);
    // Copy gives the chart's picture.
    page->CopyToClipboard();
    EXPECT_EQ(QApplication::clipboard()->image().size(), map->size());
    // The axes chosen stay with the page.
    Choose("MPStuMapBrd");
    Choose("MPStuMapGraph");
    ASSERT_NE(Shown<TStdPercMap>(), nullptr);
    EXPECT_EQ(Shown<TStdPercMap>()->VertAxis(), 3);
}

// The tool buttons print and copy what the page shows: the map as a picture
// on one page, the study screen as its hard copy and its text.
TEST_F(StudiesPageTest, PrintAndCopyTakeTheMapOrTheScreenShown) {
    ShowAt(3);
    test::ScriptedPrinter printer(test::ScriptedPrinter::Printer(9));
    Choose("MPStuMapGraph");
    ASSERT_NE(Shown<TStdPercMap>(), nullptr);
    QApplication::clipboard()->clear();
    Main().SbCopyToClipClick();
    EXPECT_EQ(QApplication::clipboard()->image().size(), Shown<TStdPercMap>()->size());
    Main().sbPrintClick();
    Choose("MPStuMapBrd");
    ASSERT_NE(ShownStudy(), nullptr);
    Main().SbCopyToClipClick();
    EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("ALBA")));
    Main().sbPrintClick();
    EXPECT_EQ(test::BoxKeys(root.ui), std::vector<std::string>{});
    ASSERT_EQ(printer.jobs.size(), 2u);
    for (const auto& job : printer.jobs) EXPECT_GT(job.bytes, 0);
}

// The print button makes the page's hard copy of the map or the screen
// shown: one job through the print dialog, and the "H" file beside it under
// the header that names the market research studies, the map as a picture,
// the screen's table from the fifth row.
TEST_F(StudiesPageTest, PrintMakesTheHardCopyOfTheMapAndOfTheScreen) {
    const char readBack[] = R"(import openpyxl,sys,zipfile
ws=openpyxl.load_workbook(sys.argv[1]).active
print('header', '|'.join(p.text or '' for p in (ws.oddHeader.left,ws.oddHeader.center,ws.oddHeader.right)))
print('pictures', len([n for n in zipfile.ZipFile(sys.argv[1]).namelist() if n.startswith('xl/media/')]), 'first', ws['A5'].value)
)";
    const std::string file = Session->PrivateDir() + "SAMPLEHA03.xlsx";
    ShowAt(3);
    test::ScriptedPrinter printer(test::ScriptedPrinter::Printer(9));
    QToolButton* print = Main().ToolButton(1);
    QTRY_VERIFY(print->isVisible() && print->isEnabled());
    Choose("MPStuMapGraph");
    ASSERT_NE(Shown<TStdPercMap>(), nullptr);
    QTest::mouseClick(print, Qt::LeftButton);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_TRUE(printer.jobs[0].dialog);
    EXPECT_EQ(test::RunPython(readBack, file),
              "header &BFirm A|&BMarket research studies|&BPeriod 3\npictures 1 first None\n");
    std::filesystem::remove(file);
    Choose("MPStuMapBrd");
    ASSERT_NE(ShownStudy(), nullptr);
    QTest::mouseClick(print, Qt::LeftButton);
    ASSERT_EQ(printer.jobs.size(), 2u);
    const std::string title = ShownStudy()->Table()->TitleLabel()->text().toStdString();
    EXPECT_EQ(test::RunPython(readBack, file),
              "header &BFirm A|&BMarket research studies|&BPeriod 3\npictures 0 first " + title + "\n");
    EXPECT_EQ(test::BoxKeys(root.ui), std::vector<std::string>{});
}

// On a small screen a map's text block (title, scales, axes: four lines)
// takes at most a quarter of the chart's height, and the plot keeps more
// than half of it, for every map and study chart of the sample.
TEST_F(StudiesPageTest, MapTitlesLeaveMostOfTheChartToThePlotSmallScreen) {
    ShowAt(3);
    for (const char* item : {"MPStuSemGraph", "MPStuSemIPHist1", "MPStuSemRelation", "MPStuMapGraph", "MPStuMapIPHist1",
                             "MPStuMapRelation", "MPStuCjaGraphU"}) {
        Choose(item);
        TQNChart* chart = page->Display().Chart();
        ASSERT_NE(chart, nullptr) << item;
        QApplication::processEvents();
        test::SaveScreenshot(Main(), std::string("StudiesPageTest_MapTitleRoom_") + item);
        const double height = chart->height();
        const QRectF plot = chart->PlotArea();
        EXPECT_LE(chart->chart()->margins().top(), height / 4) << item;
        EXPECT_GT(plot.height(), height / 2) << item;
    }
}

// Without a printer the hard copy of a study screen is written as a PDF file
// whose text holds the screen's title whole, however much wider than the
// table it is; the screens of the ideal points show nothing cut at all.
TEST_F(StudiesPageTest, TheHardCopyPdfHoldsTheScreensTitleWhole) {
    struct TCase {
        const char* item;
        bool nothingCut;
    };
    ShowAt(3);
    const std::string file = Session->PrivateDir() + "StudyHardCopy.pdf";
    for (const TCase& c : {TCase{"MPStuSemIP", true}, TCase{"MPStuMapIP", true}, TCase{"MPStuConsAwa", false},
                           TCase{"MPStuMapInfluence", false}, TCase{"MPStuExpAdv", false}}) {
        Choose(c.item);
        ASSERT_NE(ShownStudy(), nullptr) << c.item;
        const std::string title = ShownStudy()->Table()->TitleLabel()->text().toStdString();
        test::ScriptedPrinter none(std::nullopt);
        none.pdfAnswer = file;
        std::filesystem::remove(file);
        Main().sbPrintClick();
        ASSERT_TRUE(std::filesystem::exists(file)) << c.item;
        const std::string text = test::RunCommand("pdftotext '" + file + "' -");
        EXPECT_NE(text.find(title), std::string::npos) << c.item << ": " << title << " in\n" << text;
        if (c.nothingCut) {
            EXPECT_EQ(text.find("\u2026"), std::string::npos) << c.item << ":\n" << text;
        }
    }
    test::RenderPdfPage(file, 1, "StudiesPageTest_HardCopyPdf");
}

// The hard copy of every study screen of the menu, written as a PDF file,
// shows each cell's text whole: its columns are as wide as their texts.
TEST_F(StudiesPageTest, TheHardCopyPdfOfEveryStudyScreenCutsNoCell) {
    ShowAt(3);
    EXPECT_GE(test::ExpectEveryScreensHardCopyWhole(*page, [&] { Main().sbPrintClick(); },
                                                     Session->PrivateDir() + "StudyHardCopy.pdf",
                                                     {"MPStuMapInfluence", "MPStuConsAwa", "MPStuExpAdv"}),
              10);
}

// The hard copy of the scales' influence on the map prints each dimension's
// verdicts whole, left to right, within the dimension's row.
TEST_F(StudiesPageTest, TheInfluenceHardCopyPrintsADimensionsVerdictsWholeInItsRow) {
    ShowAt(3);
    Choose("MPStuMapInfluence");
    ASSERT_NE(ShownStudy(), nullptr);
    const std::string file = Session->PrivateDir() + "Influence.pdf";
    test::ScriptedPrinter none(std::nullopt);
    none.pdfAnswer = file;
    Main().sbPrintClick();
    ASSERT_TRUE(std::filesystem::exists(file));
    test::ExpectPrintedRowWhole(file, *ShownStudy()->Table(), "Economy", "Performance", "Style");
}

TEST_F(StudiesPageTest, EightBrandPerceptualMapWithPlacedLabelsSmallScreen) {
    ShowAt(2);
    Choose("MPStuMapGraph");
    auto* map = Shown<TStdPercMap>();
    ASSERT_NE(map, nullptr);
    const TPercMapLabels& items = map->Items();
    ASSERT_EQ(items.items.size(), 11u);  // three ideal points, eight brands
    const bool vga = test::ScreenSize().width() == 640;
    for (int i = 3; i < 11; ++i) {
        const TPercMapItem& brand = items.items[static_cast<std::size_t>(i)];
        EXPECT_NE(brand.position, lpNone) << brand.label;
        EXPECT_EQ(brand.markerSize, vga ? 6 : 8);
        EXPECT_EQ(brand.markerBox.width, vga ? 3 : 2);
        // 3 x 3 markers bar the right and the label above.
        if (vga) {
            EXPECT_NE(brand.position, lpRight) << brand.label;
            EXPECT_NE(brand.position, lpAbove) << brand.label;
        }
        for (int j = 0; j < 11; ++j) EXPECT_FALSE(items.LabelHitsLabel(i, j)) << brand.label;
        EXPECT_EQ(map->SeriesStyle(i + 1)->points.at(1).label.font.size, vga ? 8 : 9);
    }
    QApplication::processEvents();
    test::SaveScreenshot(Main(), vga ? "StudiesPageTest_EightBrandMap640" : "StudiesPageTest_EightBrandMap");
}

// Each label of the one-period maps stands beside its own marker, or joined
// to it by a line clear of the other markers and labels, over no ideal point
// and no other label, at both screen sizes: the perceptual and semantic maps
// of M1 in periods 2 and 3 on each vertical axis the combo offers.
TEST_F(StudiesPageTest, MapLabelsStandApartBesideTheirOwnMarkersSmallScreen) {
    constexpr double kNear = 14;  // a label's own height
    int maps = 0;
    for (const int period : {2, 3})
        for (const char* item : {"MPStuSemGraph", "MPStuMapGraph"}) {
            ShowAt(period);
            Choose(item);
            if (!Shown<TStdPercMap>()) continue;  // not bought in that period
            const int shown = page->Combos().Combo(3)->currentIndex();
            for (int axis = page->Combos().Combo(3)->count() - 1; axis >= 0; --axis) {
                PickCombo(3, (shown + axis) % page->Combos().Combo(3)->count());
                TStdPercMap* map = Shown<TStdPercMap>();
                ASSERT_NE(map, nullptr);
                QApplication::processEvents();
                EXPECT_EQ(test::MarkerLabelFaults(*map, kNear), std::vector<std::string>{})
                    << item << " in period " << period << ", up "
                    << page->Combos().Combo(3)->currentText().toStdString();
                ++maps;
            }
        }
    EXPECT_GE(maps, 6);
    test::SaveScreenshot(Main(), "StudiesPageTest_MapLabelsApart");  // M1's perceptual map of period 3
}

// The test moves the sample's semantic ideal points to figures of its own. Across (Price, scale 6) segments 1 and 2
// move right from 2 + s by 0.3 a period, segment 3 left from 6; up (Range,
// scale 5) each rises from s by 0.5 a period.
TEST_F(StudiesPageTest, SemanticHistoryMapShowsTheTrailsUpToTheSelectedPeriod) {
    for (int period = 0; period <= 3; ++period) {
        TDataContext at = page->Data;
        at.SelMarket = 1;
        TSimArr* ideals = Session->Industry()->PerResults(period).FindSimArr(kCategoryFtaMarket, at, "PosSemIPs");
        ASSERT_NE(ideals, nullptr);
        for (int segment = 1; segment <= 3; ++segment) {
            const int across = segment < 3 ? 2000 + 1000 * segment + 300 * period : 6000 - 300 * period;
            ideals->SetSmallint({segment, 6, si::PSStuIP}, across);
            ideals->SetSmallint({segment, 5, si::PSStuIP}, 1000 * segment + 500 * period);
        }
    }
    ShowAt(3);
    Choose("MPStuSemIPHist1");
    auto* map = Shown<THistPercMap>();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->Kind(), mkSemantic);
    EXPECT_EQ(map->RowCount(), 4);
    EXPECT_EQ(page->Data.StudyChoice3, 6);
    EXPECT_EQ(page->Data.StudyChoice4, 5);
    // Segment 1 ends at 3 + 0.9 = 3.9 and 1 + 1.5 = 2.5, labelled on the right.
    EXPECT_NEAR(*map->Data(4, 1), 3.9, 1e-9);
    EXPECT_NEAR(*map->Data(4, 2), 2.5, 1e-9);
    const int expected[] = {lpRight, lpRight, lpLeft};
    for (int segment = 1; segment <= 3; ++segment)
        EXPECT_EQ(map->SeriesStyle(segment)->points.at(4).label.location, expected[segment - 1]) << segment;
    QApplication::processEvents();
    test::SaveScreenshot(Main(), "StudiesPageTest_SemanticHistory");
}

TEST_F(StudiesPageTest, MapRelationsStartsOnThePriceAgainstTheFirstDimensionInTheFirstMarket) {
    ShowAt(3);
    page->Data.HorzAxis = 2;
    page->Data.VertAxis = 2;
    Choose("MPStuMapRelation");
    auto* chart = Shown<TMapRelationsGraph>();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->Characteristic(), 6);
    EXPECT_EQ(chart->Dimension(), 1);
    EXPECT_EQ(page->Combos().Combo(1)->currentIndex(), 5);
    EXPECT_EQ(page->Combos().Combo(3)->currentIndex(), 0);
    PickCombo(3, 1);
    chart = Shown<TMapRelationsGraph>();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->Dimension(), 2);
    QApplication::processEvents();
    test::SaveScreenshot(Main(), "StudiesPageTest_MapRelations");
    Choose("MPStuSemRelation");
    auto* estimation = Shown<TSemEstGraph>();
    ASSERT_NE(estimation, nullptr);
    EXPECT_EQ(estimation->Characteristic(), 6);
    EXPECT_TRUE(page->Combos().Combo(2)->isVisible());
}

TEST_F(StudiesPageTest, ConjointChartFollowsTheSegmentCombo) {
    ReopenUnrestricted();
    ShowAt(3);
    Choose("MPStuCjaGraphU");
    auto* chart = Shown<TCjaUtilsGraph>();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->Segment(), 1);
    PickCombo(2, 2);
    chart = Shown<TCjaUtilsGraph>();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->Segment(), 3);
    EXPECT_EQ(page->Data.SelSegment, 3);
    QApplication::processEvents();
    test::SaveScreenshot(Main(), "StudiesPageTest_Conjoint");
    // The utilities screen keeps the segment.
    Choose("MPStuCjaUtils");
    ASSERT_NE(ShownStudy(), nullptr);
    EXPECT_EQ(ShownStudy()->ScreenNumber(), 24);
    EXPECT_EQ(page->Combos().Combo(2)->currentIndex(), 2);
}

// A segment chosen in one market is not kept for another with fewer: after
// the last of M1's three segments, M3 (two segments), chosen on the bar,
// shows its first segment.
TEST_F(StudiesPageTest, TheConjointUtilitiesShowTheFirstSegmentOfAMarketWithFewer) {
    ReopenUnrestricted();
    ShowAt(3);
    Choose("MPStuCjaUtils");
    QComboBox* segment = page->Combos().Combo(2);
    ASSERT_NE(segment, nullptr);
    PickCombo(2, 2);
    QTRY_COMPARE(segment->currentText(), QString("Savers"));
    TBarGrpBtn* markets = CvBar->Group(Session->Industry()->MktSeries()->Name());
    ASSERT_NE(markets, nullptr);
    QTest::mouseClick(qobject_cast<QAbstractButton*>(markets->Buttons.at(2)), Qt::LeftButton);
    QTRY_COMPARE(page->Data.SelMarket, 3);
    QTRY_VERIFY(segment->isVisible());
    EXPECT_EQ(segment->currentText().toStdString(), "Pioneers");
    test::SaveScreenshot(Main(), "StudiesPageTest_ConjointSegmentInM3");
}

// The installed sample's semantic map of M1 in period 3 shows each of the
// three segments' ideal points and the nine brands, all within the 1..7 scales.
TEST_F(StudiesPageTest, InstalledSampleSemanticMapShowsEveryIdealPointSmallScreen) {
    ShowAt(3);
    Choose("MPStuSemGraph");
    auto* map = Shown<TStdPercMap>();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->Kind(), mkSemantic);
    EXPECT_FALSE(map->NoData);
    const TPercMapLabels& items = map->Items();
    ASSERT_EQ(items.idealPointCount, 3);
    int idealPoints = 0;
    for (const TPercMapItem& item : items.items) {
        if (item.kind == ikIdealPoint) ++idealPoints;
        EXPECT_GE(item.x, 1.0) << item.label;
        EXPECT_LE(item.x, 7.0) << item.label;
        EXPECT_GE(item.y, 1.0) << item.label;
        EXPECT_LE(item.y, 7.0) << item.label;
    }
    EXPECT_EQ(idealPoints, 3);
    EXPECT_EQ(static_cast<int>(items.items.size()), 3 + 9);
    QApplication::processEvents();
    test::SaveScreenshot(Main(), "StudiesPageTest_InstalledSemanticMap");
}

// The installed sample opens the conjoint utilities chart of M1's first segment.
TEST_F(StudiesPageTest, InstalledSampleConjointUtilitiesSmallScreen) {
    ShowAt(3);
    Choose("MPStuCjaGraphU");
    auto* chart = Shown<TCjaUtilsGraph>();
    ASSERT_NE(chart, nullptr);
    EXPECT_FALSE(chart->NoData);
    EXPECT_EQ(chart->Segment(), 1);
    QApplication::processEvents();
    // The sample's study rates four characteristics of M1, the last of its
    // scales among them: each one's curve is drawn with its name.
    const auto drawn = [chart](const std::string& name) {
        const auto& labels = chart->DrawnLabels();
        return std::any_of(labels.begin(), labels.end(), [&name](const auto& label) { return label.text == name; });
    };
    for (const char* name : {"Weight", "Power", "Range", "Price"}) EXPECT_TRUE(QTest::qWaitFor([&] { return drawn(name); })) << name;
    test::SaveScreenshot(Main(), "StudiesPageTest_InstalledConjoint");
}

// The same markets recur in each zone: every chart of one market's study
// names the market and the zone chosen on the bar.
TEST_F(StudiesPageTest, ChartTitlesNameTheMarketAndTheZoneOnTheBarSmallScreen) {
    ReopenUnrestricted();
    ShowAt(3);
    const auto title = [this]() -> std::string {
        if (const auto* map = Shown<TPercMap>()) return map->TitleText();
        const TCVChart* chart = page->Display().Chart();
        return chart ? chart->Title().text : std::string();
    };
    // The map's title is its legend's first line, the others their title.
    const auto head = [&title] { return title().substr(0, title().find('\r')); };
    ExpectEachZoneNamed(
        {
            {"MPStuMapGraph", "Perceptual map: brands and ideal points in market M1 of zone NORTH"},
            {"MPStuSemGraph", "Semantic map: brands and ideal points in market M1 of zone NORTH"},
            {"MPStuMapIPHist1", "Ideal points over the periods in market M1 of zone NORTH"},
            {"MPStuMapRelation", "PRICE and its perception on ECONOMY in market M1 of zone NORTH"},
            {"MPStuCjaGraphU", "Utilities of the levels for segment LEADERS in market M1 of zone NORTH"},
        },
        head, "StudiesPageTest_SouthZoneTitle_");
}

// The real previous-page and next-page buttons step through the menu, from
// the remembered item and after a menu choice.
TEST_F(StudiesPageTest, ThePageButtonsStepThroughTheMenu) {
    ExpectPageButtonsStepThroughTheMenu("MPStuMapBrd", "StudiesPageTest_PageButtons");
}

// What the team reads: a study bought, and one not bought in M2 (its
// explanation), paint the text of every cell of their tables in view, whole:
// the notes under the ideal points and the experiments too. The market
// forecast and the experiments show every column of their body.
TEST_F(StudiesPageTest, StudyScreensPaintTheTextsOfTheCellsInViewSmallScreen) {
    ReopenUnrestricted();
    struct TShownCase {
        const char* item;
        int market;
        bool everyColumn;
    };
    for (const TShownCase& c :
         {TShownCase{"MPStuConsAwa", 1, false}, TShownCase{"MPStuBenchFta", 1, false},
          TShownCase{"MPStuBenchMkt", 1, false}, TShownCase{"MPStuMapBrd", 1, false},
          TShownCase{"MPStuConsAwa", kM2, false}, TShownCase{"MPStuSemIP", 1, true},
          TShownCase{"MPStuMFor1", 1, true}, TShownCase{"MPStuExpAdv", 1, true}, TShownCase{"MPStuExpSlf", 1, true}}) {
        ShowAt(3, c.market);
        Choose(c.item);
        ASSERT_NE(page->Display().Screen(), nullptr) << c.item;
        const test::ShownTables shown = test::PaintShownTables(*page);
        EXPECT_GE(shown.tables, 1) << c.item << c.market;
        EXPECT_GT(shown.textCells, 0) << c.item << c.market;
        EXPECT_TRUE(shown.unpainted.isEmpty()) << c.item << c.market << ": " << shown.unpainted.join(" | ").toStdString();
        EXPECT_TRUE(shown.cut.isEmpty()) << c.item << c.market << " cuts " << shown.cut.join(" | ").toStdString();
        EXPECT_TRUE(!c.everyColumn || page->Display().Screen()->Table()->HorizontalBar() == nullptr) << c.item;
        test::SaveScreenshot(Main(), std::string("StudiesPageTest_Painted_") + c.item);
    }
}

}  // namespace
}  // namespace cv
