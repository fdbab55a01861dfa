// The projects report in its own window over the portfolio dialog: a window
// sized to the report's table, the whole table where the screen holds it.
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "decisions/portfolio/project_list_dialog.h"
#include "tests/decisions/portfolio/portfolio_fixture.h"
#include "tests/ui/support/gtest_qtry.h"
#include "ui/report/qn_table.h"
#include "ui/sheet/table_units.h"

namespace cv::test {
namespace {

// What the window leaves of the screen's height for the window system's title bar.
constexpr int kTitleBar = 30;

class ProjectListTest : public PortfolioTest {
protected:
    QWidget* ShownWindow() override {
        return report ? static_cast<QWidget*>(report.get()) : PortfolioTest::ShownWindow();
    }
    std::unique_ptr<TFoScrDlg> report;
};

// The available prototypes: 10 pixels of bevel margin and 10 around it, 5
// and 5 on the small screen, the title on one line. Rows and columns scroll
// only where the screen could not show one more: at 1024 x 768 the whole
// table shows, M1's five characteristics included.
TEST_F(ProjectListTest, ReportWindowIsSizedToItsWholeTableSmallScreen) {
    Open();
    report = std::make_unique<TFoScrDlg>(dialog.get(), TProtoListKind::AvailablePrototypes, context);
    const int margin = ScreenClass() == 1 ? 5 : 10;
    const TQNTable& table = *report->Screen().Table();
    EXPECT_EQ(table.Left(), 2 * margin);
    EXPECT_EQ(table.Top(), 2 * margin);
    const QRect bevel = Child<QFrame>(*report, "Bevel").geometry();
    EXPECT_EQ(bevel, QRect(margin, margin, table.Width() + 2 * margin, table.Height() + 2 * margin));
    const QRect close = Child<QPushButton>(*report, "BBClose").geometry();
    EXPECT_EQ(report->width(), bevel.width() + 2 * margin);
    EXPECT_EQ(close.top(), bevel.bottom() + 1 + margin);
    EXPECT_EQ(report->height(), close.bottom() + 1 + margin);
    ASSERT_NE(table.TitleLabel(), nullptr);
    EXPECT_FALSE(table.TitleLabel()->wordWrap()) << "the title on one line";
    EXPECT_LE(table.TitleLabel()->geometry().right(), report->width());

    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    const TTableGeometry& shown = table.Sheet().Geometry();
    if (shown.visibleBodyRows < shown.bodyRows) {
        const int hidden = shown.RowStart(1) + shown.visibleBodyRows;
        EXPECT_GT(report->height() + table.Sheet().BlockSize(hidden, 1, hidden, 1).height(),
                  screen.height() - kTitleBar);
    }
    if (shown.visibleBodyCols < shown.bodyCols) {
        const int hidden = shown.ColumnStart(1) + shown.visibleBodyCols;
        EXPECT_GT(report->width() + table.Sheet().BlockSize(1, hidden, 1, hidden).width(), screen.width());
    }
    if (ScreenSize() == QSize(1024, 768)) {
        EXPECT_EQ(shown.visibleBodyRows, shown.bodyRows) << "every row";
        EXPECT_EQ(shown.visibleBodyCols, shown.bodyCols) << "every column";
    }
    // PALBA, PARNO and PALTO, the last completed in the current period 3 for ALTO's launch: marked new.
    const int first = table.OriginRow() + 2;
    const std::vector<std::string> names{"PALBA", "PARNO", "PALTO*"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int row = first + static_cast<int>(i);
        EXPECT_EQ(table.CellText(row, 1), names[i]);
        EXPECT_FALSE(table.Sheet().CellRect(row, 1).isEmpty()) << names[i] << " shows";
    }

    report->show();
    QTRY_VERIFY(report->isVisible());
    EXPECT_LE(report->width(), screen.width());
    EXPECT_LE(report->height(), screen.height());
    SaveScreenshotOfRunningTest(*report);
}

}  // namespace
}  // namespace cv::test
