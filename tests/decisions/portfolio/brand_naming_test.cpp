// Introducing a brand through the decisions page, the naming dialog's
// refusals, typing a name and choosing its prototype by keys.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "tests/decisions/checks/message_keys.h"
#include "tests/decisions/portfolio/portfolio_fixture.h"
#include "ui/help_state.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/pasted_text.h"
#include "tests/ui/support/typed_letters.h"

namespace cv::test {
namespace {

class BrandNamingTest : public PortfolioTest {
protected:
    // The line of "BFolioDecs" of the last box, 0 when none was shown.
    int RefusalLine() {
        if (root.ui.messageBoxes.empty()) return 0;
        const RecordingUi::MessageBoxCall box = root.ui.messageBoxes.back();
        EXPECT_EQ(box.key, "BFolioDecs");
        root.ui.messageBoxes.clear();
        return box.lines.empty() ? -1 : box.lines.front();
    }
    // Gives team A's market-1 portfolio of period 1 the brand MAQ7 (withdrawn since).
    void AddMaq7ToPeriod1() {
        TDataContext north = page->Data;
        north.SelFta = 1;
        north.SelMarket = 1;
        TCvPerData& period1 = Session->Industry()->PerDecisions(1);
        const std::int16_t brands = period1.GetSmallint(kCategoryFirmFtaMarket, north, "NbMktedBrds");
        period1.FindSimArr(kCategoryFirmFtaMarket, north, "DecBrdPort")->SetZts({brands + 1, si::BrdName}, "MAQ7");
        period1.SetSmallint(kCategoryFirmFtaMarket, north, "NbMktedBrds", static_cast<std::int16_t>(brands + 1));
    }

    // The refusals met on the way to a good name: OK at once, with one free
    // position left, with a name used before.
    struct TRefusals {
        int atOnce = 0;
        int incomplete = 0;
        int used = 0;
    };

    // In the naming dialog of a new brand in market 1 ("M1") for team A, whose
    // names start "MA": names it MAZ9 on PALBA, trying the refused names first.
    TRefusals NameTheBrand(QWidget& naming) {
        TRefusals refusals;
        auto& name = Child<QLineEdit>(naming, "MEBrdName");
        EXPECT_EQ(name.displayText(), "MA__");
        EXPECT_EQ(Child<QLineEdit>(naming, "MEProjName").text(), "");
        EXPECT_FALSE(Child<QLineEdit>(naming, "MEProjName").isEnabled());
        auto& prototypes = Child<QListWidget>(naming, "LBExistProto");
        EXPECT_EQ(prototypes.count(), 3);
        name.setFocus();
        Press(naming, "BBOK");
        refusals.atOnce = RefusalLine();
        EXPECT_EQ(naming.focusWidget(), &prototypes);
        ClickItem(prototypes, "PALBA");
        EXPECT_EQ(Child<QLineEdit>(naming, "MEProjName").text(), "PALBA");
        TypeName(name, "q");
        Press(naming, "BBOK");
        refusals.incomplete = RefusalLine();
        TypeName(name, "q7");
        EXPECT_EQ(name.displayText(), "MAQ7");
        prototypes.setFocus();
        Press(naming, "BBOK");
        refusals.used = RefusalLine();
        EXPECT_EQ(naming.focusWidget(), &name);
        TypeName(name, "z9");
        SaveScreenshotOfRunningTest(naming);
        Press(naming, "BBOK");
        return refusals;
    }
};

// Through the page: the brand introduced shows as new; ALBA withdrawn and
// taken back; once saved, the page reports the new brand's decisions as not
// taken: its marketing mix is still to be entered.
TEST_F(BrandNamingTest, IntroducedBrandIsNewAndNotTakenUntilItsMixIsSaved) {
    ShowPage(sample::TSampleDecisions::Complete);
    AddMaq7ToPeriod1();
    TRefusals refusals;
    root.ui.messageBoxes.clear();
    WhenModalShown portfolio([&](QWidget& shown) {
        auto& folio = static_cast<TFoBFolio&>(shown);
        EXPECT_EQ(HelpState().HelpContext, 42);
        WhenModalShown naming([&](QWidget& named) {
            EXPECT_EQ(HelpState().HelpContext, 42);
            EXPECT_EQ(Main().ToolButton(2)->parentWidget(), &named);
            refusals = NameTheBrand(named);
        });
        Press(shown, "BBIntro");
        EXPECT_TRUE(naming.Ran());
        EXPECT_EQ(Main().ToolButton(2)->parentWidget(), &shown) << "the help button is back on the portfolio";
        auto& marketed = Child<TPortfolioGrid>(shown, "SGMktBrd");
        EXPECT_EQ(marketed.Row(3).Name, "MAZ9");
        EXPECT_EQ(marketed.Row(3).Status, "New");
        EXPECT_EQ(marketed.Row(3).Project, "PALBA");
        EXPECT_EQ(folio.SelBrand(), "MAZ9");
        EXPECT_FALSE(Child<QPushButton>(shown, "BBWithDraw").isEnabled());
        // ALBA withdrawn, then taken back: kept again, at the end of the grid.
        QTest::mouseClick(marketed.viewport(), Qt::LeftButton, {}, marketed.visualRect(marketed.model()->index(0, 0)).center());
        Press(shown, "BBWithDraw");
        EXPECT_EQ(Child<TPortfolioGrid>(shown, "SGDelBrd").Row(0).Name, "ALBA");
        Press(shown, "BBUndo");
        EXPECT_EQ(marketed.Names(), (std::vector<std::string>{"ARNO", "ALTO", "MAZ9", "ALBA"}));
        EXPECT_EQ(marketed.Row(3).Status, "Kept");
        SaveScreenshotOfRunningTest(shown);
        Press(shown, "BBOk");
    });
    QTest::mouseClick(&Child<QPushButton>(*page, "BBBrdPF"), Qt::LeftButton);
    ASSERT_TRUE(portfolio.Ran());
    EXPECT_EQ(refusals.atOnce, 2) << "no prototype chosen";
    EXPECT_EQ(refusals.incomplete, 3) << "one free position left";
    EXPECT_EQ(refusals.used, 4) << "MAQ7 was a brand of period 1";

    context = page->Data;
    context.SelFta = 1;
    context.SelMarket = 1;
    EXPECT_EQ(StoredBrand(3), "MAZ9");
    EXPECT_EQ(StoredBrand(4), "ALBA");
    EXPECT_EQ(Stored("DecBrdCv3").GetReal48({3, si::BrdDecStatus}), 0);
    EXPECT_NE(Stored("DecBrdCv3").GetReal48({4, si::BrdDecStatus}), 0) << "ALBA's decisions came along";
    EXPECT_EQ(page->LastReview().DecStatusResult, 0);
    std::string title;
    const std::vector<std::string> keys = ListedKeys(title);
    ASSERT_EQ(keys, std::vector<std::string>{"BrdDecsNotYetTaken"});
    std::string details;
    for (const std::string& line : root.ui.messageLists.back().items[0].Lines) details += line + "\n";
    EXPECT_NE(details.find("MAZ9"), std::string::npos) << details;
}

// The caret waits after "MA": a name typed whole, its beginning included, is
// that name, in capitals or not; letters alone fill the free positions, and
// those typed past the last one are not typed; a letter typed after End goes
// to the first blank after the name typed before. Shift,
// Caps Lock, Ctrl, Alt and AltGr pressed alone type nothing and end nothing;
// a letter that names cannot keep is not typed. The same over a name typed
// before, from the caret at the start, in the middle or at the end, the name
// selected or not; Backspace and Delete clear free positions only.
TEST_F(BrandNamingTest, NameIsTypedWhereTheCaretStarts) {
    Open();
    struct TCase {
        const char* before;
        std::vector<QKeyCombination> keys;
        const char* typed;
        TCapitals way;
        const char* shown;
        std::optional<TPasteWay> pasted = {};  // the letters pasted that way rather than typed
    };
    std::vector<TCase> cases = {
        {"", {}, "MAXY", TCapitals::ShiftPerLetter, "MAXY"}, {"", {}, "MAXY", TCapitals::ShiftHeld, "MAXY"},
        {"", {}, "MAXY", TCapitals::CapsLock, "MAXY"},       {"", {}, "MAXY", TCapitals::Lower, "MAXY"},
        {"", {}, "MAXY", TCapitals::ModifiersAlone, "MAXY"}, {"", {}, "XY", TCapitals::ShiftPerLetter, "MAXY"},
        {"", {}, "MAMA", TCapitals::ShiftPerLetter, "MAMA"}, {"", {}, "MA", TCapitals::Lower, "MAMA"},
        {"", {}, "MAX", TCapitals::ShiftHeld, "MAX_"},       {"", {}, "xжy", TCapitals::Lower, "MAXY"},
        {"q7", {Qt::Key_End, Qt::Key_Backspace}, "y", TCapitals::Lower, "MAQY"},
        {"q7", {Qt::Key_Home, Qt::Key_Right, Qt::Key_Delete}, "x", TCapitals::Lower, "MAX7"},
        {"q7", {Qt::Key_End, Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace}, "", TCapitals::Lower, "MA__"},
        {"q7", {Qt::Key_Home, Qt::Key_Delete, Qt::Key_Backspace}, "", TCapitals::Lower, "MAQ7"},
        {"", {}, "XYZ", TCapitals::ShiftPerLetter, "MAXY"},  {"", {}, "xyzw", TCapitals::Lower, "MAXY"},
        {"q", {Qt::Key_End}, "7", TCapitals::Lower, "MAQ7"}};
    for (const char* before : {"", "q7"})
        for (const auto& keys : CaretPlacings())
            for (const char* typed : {"MAXY", "XY"})
                cases.push_back({before, keys, typed, TCapitals::ShiftPerLetter, "MAXY"});
    for (const TPasteWay pasteWay : PasteWays()) {
        for (const char* pasted : {"maxy", "XY"})
            cases.push_back({"q7", {Qt::Key_Home}, pasted, TCapitals::Lower, "MAXY", pasteWay});
        // Over the whole name selected: a text reads as its letters typed, the
        // letters past the free positions passed over; one with no letter
        // changes nothing.
        for (const auto& [pasted, shown] : {std::pair{"ALBA", "MAAL"}, {"mega", "MAME"}, {"12345", "MA12"},
                                             {"q7", "MAQ7"}, {"-", "MAXY"}})
            cases.push_back({"xy", {Qt::CTRL | Qt::Key_A}, pasted, TCapitals::Lower, shown, pasteWay});
    }
    for (const auto& [before, keys, typed, way, shown, pasteWay] : cases) {
        WhenModalShown naming([&](QWidget& dialog) {
            auto& name = Child<QLineEdit>(dialog, "MEBrdName");
            QTRY_VERIFY(name.hasFocus());
            EXPECT_EQ(name.cursorPosition(), 2) << typed;
            TypeLetters(QString::fromLatin1(before), TCapitals::Lower);
            PressKeys(keys);
            if (pasteWay)
                PasteText(name, QString::fromUtf8(typed), *pasteWay);
            else
                TypeLetters(QString::fromUtf8(typed), way);
            EXPECT_EQ(name.displayText(), shown) << "over \"" << before << "\", " << keys.size() << " keys, " << typed
                                                 << " typed in way " << static_cast<int>(way)
                                                 << (pasteWay ? " pasted in way " + std::to_string(static_cast<int>(*pasteWay)) : std::string());
            if (*before == 0 && keys == std::vector<QKeyCombination>{Qt::Key_Home} && typed == std::string("MAXY"))
                SaveScreenshotOfRunningTest(dialog);
            if (pasteWay == TPasteWay::CtrlV && typed == std::string("ALBA"))
                SaveScreenshot(dialog, "BrandNamingTest_PasteOverTheNameReadsAsTyped");
            Press(dialog, "BBCancel");
        });
        Click("BBIntro");
        EXPECT_TRUE(naming.Ran());
    }
}

// Moving through the prototypes with the arrow keys makes the one selected
// the base at once; a click in the name field and Home, then the name typed:
// OK introduces the brand under that name on that prototype.
TEST_F(BrandNamingTest, PrototypeChosenWithTheArrowKeysIsTheBase) {
    Open();
    QString chosen;
    WhenModalShown naming([&chosen](QWidget& dialog) {
        auto& name = Child<QLineEdit>(dialog, "MEBrdName");
        QTRY_VERIFY(name.hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        auto& prototypes = Child<QListWidget>(dialog, "LBExistProto");
        QTRY_VERIFY(prototypes.hasFocus());
        const auto& project = Child<QLineEdit>(dialog, "MEProjName");
        for (int step = 0; step < 2; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            ASSERT_EQ(prototypes.selectedItems().size(), 1);
            const QString selected = prototypes.selectedItems().front()->text();
            EXPECT_NE(selected, chosen) << "the arrow moved on";
            EXPECT_EQ(project.text(), selected) << step;
            chosen = selected;
        }
        QTest::mouseClick(&name, Qt::LeftButton);
        QTRY_VERIFY(name.hasFocus());
        PressKeys({Qt::Key_Home});
        TypeLetters(QStringLiteral("MAXY"), TCapitals::ShiftPerLetter);
        EXPECT_EQ(name.displayText(), "MAXY");
        SaveScreenshotOfRunningTest(dialog);
        Press(dialog, "BBOK");
    });
    Click("BBIntro");
    ASSERT_TRUE(naming.Ran());
    EXPECT_FALSE(chosen.isEmpty());
    EXPECT_EQ(Marketed("MAXY").Status, "New");
    EXPECT_EQ(Marketed("MAXY").Project, chosen.toStdString());
}

}  // namespace
}  // namespace cv::test
