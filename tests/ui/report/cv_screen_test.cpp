// The report-screen base: texts from the English language file, the line
// that does not exist, the first "@NL" only, building on demand in document
// mode and the extra blank row under a document's caption.
#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"
#include "tests/ui/support/language_fixture.h"
#include "ui/report/cv_screen.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

std::string ReadSource(const std::string& name) { return test::ReadFileBytes(std::string(CV_TEXTS_DIR) + "/" + name); }

// A screen with one table whose caption takes line 1 as title and line 2 as note.
class TTestScreen final : public TCVScreen {
public:
    TTestScreen(QWidget* owner, const TDataContext& context, const TScreenLayout& layout)
        : TCVScreen(owner, context, layout) {}

    void Build(const TDataContext& context) override {
        TCVScreen::Build(context);
        ++builds;
        LoadLines(kSectionResults, "TestScreen");
        EnsureTable(TTableType::FilledHeadings, "TestScreen");
        FillTable(*table_, titleLines, noteLines, -1, -1, rowsAfter, -1);
    }

    int builds = 0;
    std::vector<int> titleLines{1};
    std::vector<int> noteLines{2, 0};
    int rowsAfter = -1;
};

class CVScreenTest : public ::testing::Test {
protected:
    void SetUp() override { SetScreenWidth(1024); }

    test::LanguageFixture language{{{"globals-sheet.txt", ReadSource("globals-sheet.txt")},
                                    {"messages-sheet.txt", ReadSource("messages-sheet.txt")},
                                    {"results-test.txt", "[TestScreen]\nFirm results\nAmounts in K$\n"}},
                                   true};
    QWidget owner;
    TDataContext context;
};

TEST_F(CVScreenTest, LabelsComeFromTheLanguageFileAndALineThatDoesNotExistSaysSo) {
    auto screen = TCVScreen::Create<TTestScreen>(&owner, context, kWindowLayout);
    EXPECT_EQ(screen->UnitLabels()[4], "K$");  // "Units" line 6: the money unit
    EXPECT_EQ(screen->MiscLabels()[0], "Total");
    EXPECT_EQ(screen->DefaultTexts()[0], "There is nothing to show on this screen.");
    EXPECT_EQ(screen->GetLine(2), "Amounts in K$");
    EXPECT_EQ(screen->GetLine(3), "bad line number 3");
    EXPECT_EQ(screen->GetLine(0), "bad line number 0");
    EXPECT_EQ(screen->GetMiscText(12), "bad line number 12");
}

TEST_F(CVScreenTest, OnlyTheFirstNewLineMarkIsReplaced) {
    EXPECT_EQ(TCVScreen::ReplaceNewLine("Sales@NLby brand@NLand market", true), "Sales\nby brand@NLand market");
    EXPECT_EQ(TCVScreen::ReplaceNewLine("Sales@NLby brand@NLand market", false), "Sales by brand@NLand market");
    EXPECT_EQ(TCVScreen::ReplaceNewLine("Sales", true), "Sales");
}

TEST_F(CVScreenTest, ADocumentScreenIsBuiltOnlyWhenAsked) {
    auto window = TCVScreen::Create<TTestScreen>(&owner, context, kWindowLayout);
    EXPECT_EQ(window->builds, 1);
    EXPECT_FALSE(window->IsDocument());
    auto document = TCVScreen::Create<TTestScreen>(&owner, context, kDocumentLayout);
    EXPECT_EQ(document->builds, 0);
    EXPECT_EQ(document->Table(), nullptr);
    document->Build(context);
    EXPECT_EQ(document->builds, 1);
    EXPECT_TRUE(document->IsDocument());
    EXPECT_EQ(document->Table()->Sheet().TableType(), 4);
}

TEST_F(CVScreenTest, ADocumentCaptionGetsOneMoreBlankRow) {
    // Caption rows: before (style default 1) + title 1 + between 0 + note 1 + after.
    const struct {
        TScreenLayout layout;
        int rowsAfter, captionRows;
    } cases[] = {{kWindowLayout, -1, 4}, {kDocumentLayout, -1, 5}, {kWindowLayout, 2, 5}, {kDocumentLayout, 2, 6}};
    for (const auto& c : cases) {
        TTestScreen screen(&owner, context, c.layout);
        screen.rowsAfter = c.rowsAfter;
        screen.Build(context);
        EXPECT_EQ(screen.Table()->Sheet().Captions().totalRows, c.captionRows) << c.layout.mode << " " << c.rowsAfter;
        EXPECT_EQ(screen.Table()->OriginRow(), c.captionRows + 1);
    }
}

TEST_F(CVScreenTest, TitleNumbersOfZeroWriteNoCaption) {
    TTestScreen screen(&owner, context, kWindowLayout);
    screen.titleLines = {0, 0};
    screen.noteLines = {0};
    screen.Build(context);
    EXPECT_EQ(screen.Table()->Sheet().Captions(), TCaptionBlock{});
    EXPECT_EQ(screen.Table()->OriginRow(), 1);
    screen.noteLines = {2};  // a note alone makes a caption
    screen.Build(context);
    EXPECT_EQ(screen.Table()->Sheet().Captions().noteLines, std::vector<std::string>{"Amounts in K$"});
}

}  // namespace
}  // namespace cv
