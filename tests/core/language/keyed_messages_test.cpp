#include "core/language/keyed_messages.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "tests/core/language/translator_test_files.h"
#include "tests/support/recording_ui.h"

namespace cv {
namespace {

using Lines = std::vector<std::string>;

const std::vector<TTextSource> kSources = {
    {"messages.txt",
     "[ErrOrder]\n@2 then @1 and @1\nBrand @1 in market @2\nStays: @3 and @ and a@b\n"
     "[ErrTen]\n@10|@1|@1x|@01|@11\n"
     "[ErrOneLine]\nOnly a headline\n"
     "[ErrVersion]\nPlain text\n"
     "[ErrVersionV2]\nText of version 2\n"
     "[QnNoMessages]\nThere is no message.\n"},
    {"controls.txt",
     "[cviFull]\nDecision errors\nErrors found\nPick one\nWhat it means\nClose\n"
     "[cviTwo]\nWarnings\nWarnings found\n"},
    {"Decs.txt", "[ErrOrder]\nA key of the decision texts\n"},
};

Lines Texts(const TQnInfoTexts& texts) {
    return {texts.InfoTitle, texts.InfoHeadLabel, texts.InfoListHint, texts.InfoDetailLabel, texts.InfoOkCaption};
}

class KeyedMessagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        Translator = std::make_unique<TTranslate>();
        Translator->Open(test::CompileTexts(dir, kSources));
    }
    void TearDown() override {
        Translator.reset();
        VersionSuffix.clear();
    }

    test::TempDir dir;
    TCVInfo info;
};

TEST_F(KeyedMessagesTest, ParametersReplaceTheirWholeTagsAsTheyAreAdded) {
    info.SetKey("ErrOrder");
    EXPECT_EQ(info.Info().Headline, "@2 then @1 and @1");
    info.AddParam("A");
    // Parameter 2 is not there yet: its tag stays.
    EXPECT_EQ(info.Info().Headline, "@2 then A and A");
    info.AddParam("B");
    EXPECT_EQ(info.Info().Headline, "B then A and A");
    EXPECT_EQ(info.Info().Lines, (Lines{"Brand A in market B", "Stays: @3 and @ and a@b"}));
    EXPECT_EQ(info.Params(), (Lines{"A", "B"}));

    // A new key starts a new message without parameters.
    info.SetKey("ErrOrder");
    EXPECT_TRUE(info.Params().empty());
    EXPECT_EQ(info.Info().Headline, "@2 then @1 and @1");

    // A parameter's text is never taken for a tag.
    info.AddParam("@1");
    EXPECT_EQ(info.Info().Headline, "@2 then @1 and @1");
    // Adding the second parameter leaves the first one's text as it is, and "@2" inside a parameter is plain text too.
    info.AddParam("x@2");
    EXPECT_EQ(info.Info().Headline, "x@2 then @1 and @1");
    EXPECT_EQ(info.Info().Lines[0], "Brand @1 in market x@2");

    // A tag is the whole decimal number.
    info.SetKey("ErrTen");
    for (int n = 1; n <= 9; ++n) info.AddParam("p" + std::to_string(n));
    // With nine parameters "@10" and "@11" name none: they are not "@1" + digit.
    EXPECT_EQ(info.Info().Headline, "@10|p1|p1x|@01|@11");
    info.AddParam("p10");
    EXPECT_EQ(info.Info().Headline, "p10|p1|p1x|@01|@11");
}

// Messages come from the text sections 1..8 only: the decision texts (section
// 9) and section 0 hold none, even for a key they have.
TEST_F(KeyedMessagesTest, EntriesAreFoundByKeyInTheTextSectionsOnly) {
    struct TCase {
        std::uint8_t section;
        const char* key;
        const char* headline;
        Lines lines;
    };
    const TCase cases[] = {
        {kSectionMessages, "errorder", "@2 then @1 and @1", {"Brand @1 in market @2", "Stays: @3 and @ and a@b"}},
        {kSectionMessages, "ErrOneLine", "Only a headline", {}},
        {kSectionMessages, "NoSuchKey", "", {}},
        {kSectionControls, "cviTwo", "Warnings", {"Warnings found"}},
        {kSectionDecs, "ErrOrder", "", {}},
        {0, "ErrOrder", "", {}},
    };
    for (const TCase& c : cases) {
        info.SetSection(c.section);
        info.SetKey(c.key);
        EXPECT_EQ(info.Info().Headline, c.headline) << int{c.section} << " " << c.key;
        EXPECT_EQ(info.Info().Lines, c.lines) << int{c.section} << " " << c.key;
    }
    // Without a translator every message is empty.
    Translator.reset();
    info.SetSection(kSectionMessages);
    info.SetKey("ErrOrder");
    EXPECT_TRUE(info.Info().Headline.empty());
}

TEST_F(KeyedMessagesTest, CategoryAndSeverityOutsideTheirRangesStoreZero) {
    EXPECT_EQ(info.Section(), kSectionMessages);
    EXPECT_EQ(info.Category(), 0);
    EXPECT_EQ(info.Severity(), 0);
    // Category 0..2 and severity 0..4 are kept; anything else stores 0.
    const std::array<std::array<int, 4>, 4> cases{{{2, 4, 2, 4}, {3, 7, 0, 0}, {1, 3, 1, 3}, {-1, -1, 0, 0}}};
    for (const auto& [category, severity, keptCategory, keptSeverity] : cases) {
        info.SetCategory(category);
        info.SetSeverity(severity);
        EXPECT_EQ(info.Category(), keptCategory) << category;
        EXPECT_EQ(info.Severity(), keptSeverity) << severity;
    }
}

TEST_F(KeyedMessagesTest, TheControlsEntrySetsTheDialogTextsItHasLinesFor) {
    test::RecordingUi ui;
    TQnInfos list;
    list.Add(TQnInfo("Headline", {"detail"}));

    ShowKeyedMessage("cviFull", list, -1, TAlignment::taLeftJustify);
    ASSERT_EQ(ui.messageLists.size(), 1u);
    EXPECT_EQ(Texts(ui.messageLists[0].texts),
              (Lines{"Corvantis3 - Decision errors", "Errors found", "Pick one", "What it means", "Close"}));
    EXPECT_EQ(ui.messageLists[0].items[0].Lines, Lines{"detail"});
    EXPECT_EQ(ui.messageLists[0].alignment, TAlignment::taLeftJustify);

    // Two lines change the title and the list caption; the rest stays.
    ShowKeyedMessage("cviTwo", list, -1, TAlignment::taRightJustify);
    ASSERT_EQ(ui.messageLists.size(), 2u);
    const Lines twoTexts{"Corvantis3 - Warnings", "Warnings found", "Pick one", "What it means", "Close"};
    EXPECT_EQ(Texts(ui.messageLists[1].texts), twoTexts);
    EXPECT_EQ(ui.messageLists[1].alignment, TAlignment::taRightJustify);

    // An empty key and a missing entry keep every text.
    ShowKeyedMessage("", list, -1, TAlignment::taCenter);
    ShowKeyedMessage("cviMissing", list, -1, TAlignment::taCenter);
    ASSERT_EQ(ui.messageLists.size(), 4u);
    EXPECT_EQ(Texts(ui.messageLists[2].texts), twoTexts);
    EXPECT_EQ(Texts(ui.messageLists[3].texts), twoTexts);
    EXPECT_EQ(QnInfoTexts().InfoOkCaption, "Close");
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(KeyedMessagesTest, AnEmptyListShowsTheTranslatedNoMessagesEntry) {
    test::RecordingUi ui;
    const TQnInfos empty;
    ShowKeyedMessage("cviFull", empty, -1, TAlignment::taLeftJustify);
    EXPECT_TRUE(ui.messageLists.empty());
    // Every line of the entry (0), never the key itself as the text (-1).
    const test::RecordingUi::MessageBoxCall box{TMsgDlgType::mtInformation, mbOK, "QnNoMessages", {0},
                                                TAlignment::taCenter};
    EXPECT_EQ(ui.messageBoxes, std::vector{box});

    // A line number that is not negative asks for no box at all.
    ShowInfoList(empty, 0, TAlignment::taLeftJustify);
    ShowInfoList(empty, 2, TAlignment::taLeftJustify);
    EXPECT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_TRUE(ui.messageLists.empty());
}

}  // namespace
}  // namespace cv
