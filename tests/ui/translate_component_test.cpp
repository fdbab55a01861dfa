#include "ui/translate_component.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/language/text_source.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

const char* const kControls =
    "[FoTest]\nTest window\n"
    "[BBOk]\nOK\nCloses the window\n"
    "[sbPrint]\nPrint\n"
    "[EdName]\nNew text\n"
    "[gbOptions]\nOptions\n"
    "[ChBAll]\nAll\n"
    "[rbOne]\nOne\n"
    "[TabFirst]\nFirst page\n"
    "[LBList]\nList caption\nList hint\n"
    "[labThree]\nline 1\nline 2\nline 3\n"
    "[labVoid]\nvoid\nOnly the hint\n"
    "[labEuro]\nPrice in \xE2\x82\xAC\n"
    "[ActSave]\nSave\nSaves the decisions\n"
    "[MPCtrlOnly]\nNot for menus\n";

const char* const kMenus =
    "[MPFile]\nFile\nThe file menu\n"
    "[MPOpen]\nOpen\nOpens an industry\n"
    "[MPSep]\nNot a separator\n"
    "[MPDash]\nNot a dash\n"
    "[MPVoid]\nvoid\nA hint that is not set\n"
    "[labName]\nNot for controls\n";

template <typename T>
T* Named(QWidget* parent, const char* name, const QString& caption = {}) {
    auto* object = new T(parent);
    object->setObjectName(name);
    if constexpr (requires { object->setText(caption); }) object->setText(caption);
    return object;
}

// A small window with one object of each kind, every caption "old".
class TranslateComponentTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.setObjectName("FoTest");
        form.setWindowTitle("old");
        auto* central = new QWidget(&form);
        form.setCentralWidget(central);
        ok = Named<QPushButton>(central, "BBOk", "old");
        print = Named<QToolButton>(central, "sbPrint", "old");
        name = Named<QLabel>(central, "labName", "old");
        edit = Named<QLineEdit>(central, "EdName", "old");
        options = Named<QGroupBox>(central, "gbOptions");
        options->setTitle("old");
        all = Named<QCheckBox>(options, "ChBAll", "old");
        one = Named<QRadioButton>(options, "rbOne", "old");
        tabs = new QTabWidget(central);
        page = Named<QWidget>(nullptr, "TabFirst");
        tabs->addTab(page, "old");
        list = Named<QListWidget>(central, "LBList");
        three = Named<QLabel>(central, "labThree", "old");
        voidLabel = Named<QLabel>(central, "labVoid", "old");
        euro = Named<QLabel>(central, "labEuro", "old");
        save = new QAction("old", &form);
        save->setObjectName("ActSave");

        fileMenu = form.menuBar()->addMenu("old");
        fileMenu->setObjectName("MPFile");
        open = fileMenu->addAction("old");
        open->setObjectName("MPOpen");
        separator = fileMenu->addSeparator();
        separator->setObjectName("MPSep");
        dash = fileMenu->addAction("-");
        dash->setObjectName("MPDash");
        voidItem = fileMenu->addAction("old");
        voidItem->setObjectName("MPVoid");
        ctrlOnly = fileMenu->addAction("old");
        ctrlOnly->setObjectName("MPCtrlOnly");
    }

    void Translate(const std::vector<TTextSource>& sources) {
        const std::string file = dir / "STRSTD.enu";
        CompileLanguageFile(sources, file);
        translator.Open(file);
        TranslateComponent(translator, &form);
    }

    test::TempDir dir;
    TTranslate translator;
    QMainWindow form;
    QPushButton* ok;
    QToolButton* print;
    QLabel* name;
    QLineEdit* edit;
    QGroupBox* options;
    QCheckBox* all;
    QRadioButton* one;
    QTabWidget* tabs;
    QWidget* page;
    QListWidget* list;
    QLabel* three;
    QLabel* voidLabel;
    QLabel* euro;
    QAction* save;
    QMenu* fileMenu;
    QAction* open;
    QAction* separator;
    QAction* dash;
    QAction* voidItem;
    QAction* ctrlOnly;
};

TEST_F(TranslateComponentTest, ControlsTakeCaptionAndHintByName) {
    Translate({{"controls.txt", kControls}, {"menus.txt", kMenus}});
    EXPECT_EQ(form.windowTitle(), "Test window");
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(ok->toolTip(), "Closes the window");
    EXPECT_EQ(print->text(), "Print");
    EXPECT_EQ(print->toolTip(), "");
    EXPECT_EQ(name->text(), "old");  // its entry is in the menus section only
    EXPECT_EQ(edit->text(), "New text");
    EXPECT_EQ(options->title(), "Options");
    EXPECT_EQ(all->text(), "All");
    EXPECT_EQ(one->text(), "One");
    EXPECT_EQ(tabs->tabText(0), "First page");
    // A list box carries no caption: only the hint.
    EXPECT_EQ(list->toolTip(), "List hint");
    EXPECT_EQ(euro->text(), QString::fromUtf16(u"Price in \u20AC"));
    EXPECT_EQ(save->text(), "Save");
    EXPECT_EQ(save->toolTip(), "Saves the decisions");
}

TEST_F(TranslateComponentTest, ThreeLinesChangeNothingAndVoidSetsOnlyTheHint) {
    three->setToolTip("old hint");
    Translate({{"controls.txt", kControls}, {"menus.txt", kMenus}});
    EXPECT_EQ(three->text(), "old");
    EXPECT_EQ(three->toolTip(), "old hint");
    EXPECT_EQ(voidLabel->text(), "old");
    EXPECT_EQ(voidLabel->toolTip(), "Only the hint");
}

TEST_F(TranslateComponentTest, MenuItemsComeFromTheMenusSectionAndSeparatorsStay) {
    Translate({{"controls.txt", kControls}, {"menus.txt", kMenus}});
    EXPECT_EQ(fileMenu->title(), "File");
    EXPECT_EQ(fileMenu->menuAction()->toolTip(), "The file menu");
    EXPECT_EQ(open->text(), "Open");
    EXPECT_EQ(open->toolTip(), "Opens an industry");
    EXPECT_TRUE(separator->isSeparator());
    EXPECT_EQ(separator->text(), "");
    EXPECT_EQ(dash->text(), "-");
    // "void" on a menu item sets nothing at all.
    EXPECT_EQ(voidItem->text(), "old");
    EXPECT_NE(voidItem->toolTip(), "A hint that is not set");
    EXPECT_EQ(ctrlOnly->text(), "old");  // its entry is in the controls section only
}

TEST_F(TranslateComponentTest, AMissingControlsSectionShowsItsLineAndMissingMenusStaySilent) {
    Translate({{"messages.txt", "[Any]\nx\n"}});
    EXPECT_EQ(ok->text(), "Unknown section : 2");
    EXPECT_EQ(form.windowTitle(), "Unknown section : 2");
    EXPECT_EQ(open->text(), "old");
    EXPECT_EQ(fileMenu->title(), "old");
}

}  // namespace
}  // namespace cv
