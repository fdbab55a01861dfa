#include "core/base/menu_tree.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace cv {
namespace {

// A plain menu tree for the walk; the user interface wraps real menus instead.
class TestMenu final : public TMenuNode {
public:
    explicit TestMenu(std::string caption, TestMenu* parent = nullptr)
        : caption_(std::move(caption)), parent_(parent) {}

    TestMenu& Add(const std::string& caption) {
        children_.push_back(std::make_unique<TestMenu>(caption, this));
        return *children_.back();
    }

    TMenuNode* Parent() const override { return parent_; }
    int ChildCount() const override { return static_cast<int>(children_.size()); }
    TMenuNode* Child(int index) const override { return children_[index].get(); }
    bool Enabled() const override { return enabled; }
    bool Visible() const override { return visible; }
    std::string Caption() const override { return caption_; }

    bool enabled = true;
    bool visible = true;

private:
    std::string caption_;
    TestMenu* parent_;
    std::vector<std::unique_ptr<TestMenu>> children_;
};

// root: File (New, Open, -, Quit), Edit (Cut, Paste), Help.
class MenuTreeTest : public ::testing::Test {
protected:
    MenuTreeTest()
        : file(root.Add("File")), fileNew(file.Add("New")), open(file.Add("Open")), separator(file.Add("-")),
          quit(file.Add("Quit")), edit(root.Add("Edit")), cut(edit.Add("Cut")), paste(edit.Add("Paste")),
          help(root.Add("Help")) {}

    std::string Caption(TMenuNode* node) { return node ? node->Caption() : "(null)"; }

    TestMenu root{"root"};
    TestMenu& file;
    TestMenu& fileNew;
    TestMenu& open;
    TestMenu& separator;
    TestMenu& quit;
    TestMenu& edit;
    TestMenu& cut;
    TestMenu& paste;
    TestMenu& help;
};

TEST_F(MenuTreeTest, TheWalkVisitsEveryLeafInOrderAndWraps) {
    std::vector<std::string> forward;
    TMenuNode* item = &root;
    for (int i = 0; i < 8; ++i) forward.push_back(Caption(item = NextMenuItemInTree(item)));
    EXPECT_EQ(forward, (std::vector<std::string>{"New", "Open", "-", "Quit", "Cut", "Paste", "Help", "New"}));

    std::vector<std::string> backward;
    item = &root;
    for (int i = 0; i < 8; ++i) backward.push_back(Caption(item = PrevMenuItemInTree(item)));
    EXPECT_EQ(backward, (std::vector<std::string>{"Help", "Paste", "Cut", "Quit", "-", "Open", "New", "Help"}));

    // From a submenu item: its first (last) leaf's neighbours are taken from the parent.
    EXPECT_EQ(Caption(NextMenuItemInTree(&edit)), "Help");
    EXPECT_EQ(Caption(PrevMenuItemInTree(&edit)), "Quit");
    TestMenu lonely("lonely");
    EXPECT_EQ(NextMenuItemInTree(&lonely), &lonely);
    EXPECT_EQ(NextMenuItemInTree(nullptr), nullptr);
}

TEST_F(MenuTreeTest, TheEnabledWalkSkipsWhatCannotBeChosen) {
    EXPECT_EQ(Caption(NextEnabledMenuItem(&open)), "Quit");  // separator skipped
    EXPECT_EQ(Caption(PrevEnabledMenuItem(&quit)), "Open");
    edit.enabled = false;  // a disabled parent hides Cut and Paste
    EXPECT_EQ(Caption(NextEnabledMenuItem(&quit)), "Help");
    EXPECT_EQ(Caption(PrevEnabledMenuItem(&help)), "Quit");
    edit.enabled = true;
    edit.visible = false;
    EXPECT_EQ(Caption(NextEnabledMenuItem(&quit)), "Help");
    edit.visible = true;
    help.visible = false;
    cut.enabled = false;
    EXPECT_EQ(Caption(NextEnabledMenuItem(&paste)), "New");  // wraps past hidden Help
    EXPECT_EQ(Caption(PrevEnabledMenuItem(&paste)), "Quit");  // past disabled Cut
}

TEST_F(MenuTreeTest, WithNothingElseToChooseTheItemItselfComesBack) {
    for (TestMenu* leaf : {&fileNew, &quit, &cut, &paste, &help}) leaf->enabled = false;
    EXPECT_EQ(NextEnabledMenuItem(&open), &open);
    EXPECT_EQ(PrevEnabledMenuItem(&open), &open);
    EXPECT_EQ(NextEnabledMenuItem(&root), &open);
    // A submenu or the root given when no leaf qualifies: one cycle, then the item.
    open.enabled = false;
    EXPECT_EQ(NextEnabledMenuItem(&file), &file);
    EXPECT_EQ(PrevEnabledMenuItem(&root), &root);
    EXPECT_EQ(NextEnabledMenuItem(&open), &open);
}

}  // namespace
}  // namespace cv
