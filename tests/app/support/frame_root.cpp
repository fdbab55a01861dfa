#include "tests/app/support/frame_root.h"

#include <QAbstractButton>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/session/settings_paths.h"
#include "core/store/series.h"
#include "shell/selector/cv_bar.h"
#include "shell/page_window.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/gtest_qtry.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

void CopyInto(const fs::path& from, const fs::path& directory) {
    if (fs::exists(from)) fs::copy(from, directory / from.filename(), fs::copy_options::overwrite_existing);
}

// Clicks button Element (1 for the first) of the bar's group of Series.
void ClickBarButton(const TSeries& series, int element) {
    TBarGrpBtn* group = CvBar->Group(series.Name());
    auto* button = qobject_cast<QAbstractButton*>(group->Buttons.at(static_cast<std::size_t>(element - 1)));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

ProgramRoot::ProgramRoot(const std::string& exeName)
    : now(QDate(2026, 3, 14), QTime(10, 30, 0)), exeName_(exeName) {
    const fs::path binaries = fs::path(tree_.Exe(exeName)).parent_path();
    fs::create_directories(binaries);
    fs::create_directories(tree_.RootPath() / "Private");
    fs::create_symlink(RunningExecutableFileName(), tree_.Exe(exeName));
    CopyInto(CV_LANGUAGE_FILE, binaries);
    CopyInto(CV_HELP_FILE, binaries);
    if (fs::is_directory(CV_PICTURE_DIR))
        for (const auto& picture : fs::directory_iterator(CV_PICTURE_DIR)) CopyInto(picture.path(), binaries);
}

ProgramRoot::~ProgramRoot() = default;

TMainWindowServices ProgramRoot::Services() {
    TMainWindowServices services;
    services.exeFileName = Exe();
    services.now = [this] { return now; };
    services.playSound = [this](const std::string& file) { chimes.push_back(file); };
    return services;
}

void ProgramRoot::OpenSampleIndustry(const sample::TSampleVariant& variant) {
    const fs::path industry = sample::WriteSampleIndustryFile(tree_.RootPath() / "Private", variant);
    ASSERT_TRUE(Session && Session->IndOpen(industry.string()));
}

void ChooseFromTheMenu(TFoCv3Mod& page, const char* item) {
    QAction* chosen = page.findChild<QAction*>(item);
    ASSERT_NE(chosen, nullptr) << item;
    QMenuBar& bar = *page.PageMenuBar();
    for (QAction* title : bar.actions()) {
        QMenu* menu = title->menu();
        if (!menu || !menu->actions().contains(chosen)) continue;
        QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.actionGeometry(title).center());
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
        QTRY_VERIFY(!menu->isVisible());
        return;
    }
    FAIL() << item << " is in no menu of the page";
}

void ChoosePeriodOnBar(int period) {
    TBarGrpBtn* periods = CvBar->Group(Session->Industry()->PerSeries()->Name());
    auto* spin = static_cast<TBarSpinBtn*>(periods->Buttons.at(0));
    spin->SetValueQuietly(period);
    CvBar->SelectionChanged(*periods, spin);
}

void ChooseZoneOnBar(int zone) { ClickBarButton(*Session->Industry()->FtaSeries(), zone); }

void ChooseMarketOnBar(int market) { ClickBarButton(*Session->Industry()->MktSeries(), market); }

}  // namespace cv::test
