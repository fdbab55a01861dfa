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
    std::string Caption(TMenuNode* node) { return node ? node->Caption() : "(null)"; }

    TestMenu root{"root"};
    TestMenu& file = root.Add("File");
    TestMenu& fileNew = file.Add("New");
    TestMenu& open = file.Add("Open");
    TestMenu& separator = file.Add("-");
    TestMenu& quit = file.Add("Quit");
    TestMenu& edit = root.Add("Edit");
    TestMenu& cut = edit.Add("Cut");
    TestMenu& paste = edit.Add("Paste");
    TestMenu& help = root.Add("Help");
};

TEST_F(MenuTreeTest, TheWalkVisitsEveryLeafInOrderAndWraps) {
    std::vector<std::string> forward, backward;
    for (TMenuNode *next = &root, *prev = &root; forward.size() < 8;) {
        forward.push_back(Caption(next = NextMenuItemInTree(next)));
        backward.push_back(Caption(prev = PrevMenuItemInTree(prev)));
    }
    EXPECT_EQ(forward, (std::vector<std::string>{"New", "Open", "-", "Quit", "Cut", "Paste", "Help", "New"}));
    EXPECT_EQ(backward, (std::vector<std::string>{"Help", "Paste", "Cut", "Quit", "-", "Open", "New", "Help"}));

    // From a submenu item: its first (last) leaf's neighbours are taken from the parent.
    EXPECT_EQ(Caption(NextMenuItemInTree(&edit)), "Help");
    EXPECT_EQ(Caption(PrevMenuItemInTree(&edit)), "Quit");
    TestMenu lonely("lonely");
    EXPECT_EQ(NextMenuItemInTree(&lonely), &lonely);
    EXPECT_EQ(NextMenuItemInTree(nullptr), nullptr);
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
