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
        Named<QPushButton>(central, "BBOk", "old");
        Named<QToolButton>(central, "sbPrint", "old");
        Named<QLabel>(central, "labName", "old");
        Named<QLineEdit>(central, "EdName", "old");
        auto* options = Named<QGroupBox>(central, "gbOptions");
        options->setTitle("old");
        Named<QCheckBox>(options, "ChBAll", "old");
        Named<QRadioButton>(options, "rbOne", "old");
        tabs = new QTabWidget(central);
        tabs->addTab(Named<QWidget>(nullptr, "TabFirst"), "old");
        Named<QListWidget>(central, "LBList");
        Named<QLabel>(central, "labThree", "old")->setToolTip("old hint");
        Named<QLabel>(central, "labVoid", "old");
        Named<QLabel>(central, "labEuro", "old");
        (new QAction("old", &form))->setObjectName("ActSave");
        fileMenu = form.menuBar()->addMenu("old");
        fileMenu->setObjectName("MPFile");
        fileMenu->addAction("old")->setObjectName("MPOpen");
        fileMenu->addSeparator()->setObjectName("MPSep");
        fileMenu->addAction("-")->setObjectName("MPDash");
        fileMenu->addAction("old")->setObjectName("MPVoid");
        fileMenu->addAction("old")->setObjectName("MPCtrlOnly");
    }

    void Translate(const std::vector<TTextSource>& sources) {
        const std::string file = dir / "STRSTD.enu";
        CompileLanguageFile(sources, file);
        translator.Open(file);
        TranslateComponent(translator, &form);
    }
    template <typename T = QWidget>
    T* Find(const char* name) {
        T* found = form.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString Text(const char* name) {
        if (auto* button = form.findChild<QAbstractButton*>(name)) return button->text();
        if (auto* label = form.findChild<QLabel*>(name)) return label->text();
        if (auto* edit = form.findChild<QLineEdit*>(name)) return edit->text();
        return Find<QAction>(name)->text();
    }
    QString Hint(const char* name) {
        if (auto* widget = form.findChild<QWidget*>(name)) return widget->toolTip();
        return Find<QAction>(name)->toolTip();
    }

    test::TempDir dir;
    TTranslate translator;
    QMainWindow form;
    QTabWidget* tabs;
    QMenu* fileMenu;
};

TEST_F(TranslateComponentTest, ControlsTakeCaptionAndHintByName) {
    Translate({{"controls.txt", kControls}, {"menus.txt", kMenus}});
    EXPECT_EQ(form.windowTitle(), "Test window");
    const struct {
        const char* name;
        const char* caption;
        const char* hint;
    } cases[] = {{"BBOk", "OK", "Closes the window"},
                 {"sbPrint", "Print", ""},
                 {"labName", "old", ""},  // its entry is in the menus section only
                 {"EdName", "New text", ""},
                 {"ChBAll", "All", ""},
                 {"rbOne", "One", ""},
                 {"labEuro", "Price in \xE2\x82\xAC", ""},
                 {"ActSave", "Save", "Saves the decisions"},
                 // Three lines change nothing; "void" sets only the hint.
                 {"labThree", "old", "old hint"},
                 {"labVoid", "old", "Only the hint"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Text(c.name), QString::fromUtf8(c.caption)) << c.name;
        EXPECT_EQ(Hint(c.name), QString::fromUtf8(c.hint)) << c.name;
    }
    EXPECT_EQ(Find<QGroupBox>("gbOptions")->title(), "Options");
    EXPECT_EQ(tabs->tabText(0), "First page");
    // A list box carries no caption: only the hint.
    EXPECT_EQ(Hint("LBList"), "List hint");
}

TEST_F(TranslateComponentTest, MenuItemsComeFromTheMenusSectionAndSeparatorsStay) {
    Translate({{"controls.txt", kControls}, {"menus.txt", kMenus}});
    EXPECT_EQ(fileMenu->title(), "File");
    EXPECT_EQ(fileMenu->menuAction()->toolTip(), "The file menu");
    EXPECT_EQ(Text("MPOpen"), "Open");
    EXPECT_EQ(Hint("MPOpen"), "Opens an industry");
    EXPECT_TRUE(Find<QAction>("MPSep")->isSeparator());
    EXPECT_EQ(Text("MPSep"), "");
    EXPECT_EQ(Text("MPDash"), "-");
    // "void" on a menu item sets nothing at all.
    EXPECT_EQ(Text("MPVoid"), "old");
    EXPECT_NE(Hint("MPVoid"), "A hint that is not set");
    EXPECT_EQ(Text("MPCtrlOnly"), "old");  // its entry is in the controls section only
}

TEST_F(TranslateComponentTest, AMissingControlsSectionShowsItsLineAndMissingMenusStaySilent) {
    Translate({{"messages.txt", "[Any]\nx\n"}});
    EXPECT_EQ(Text("BBOk"), "Unknown section : 2");
    EXPECT_EQ(form.windowTitle(), "Unknown section : 2");
    EXPECT_EQ(Text("MPOpen"), "old");
    EXPECT_EQ(fileMenu->title(), "old");
}

}  // namespace
}  // namespace cv
