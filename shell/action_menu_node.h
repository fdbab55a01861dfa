#pragma once
// A page's menu as core's menu tree (core/base/menu_tree.h), so that the
// session can remember a page's chosen item and the bar's next/previous-page
// buttons can step through the menu. The root is the page's menu bar; an item is
// a QAction, and the items of a sub-menu are the actions of its QMenu.

#include <QAction>
#include <QMenuBar>
#include <QPointer>
#include <map>
#include <memory>

#include "core/base/menu_tree.h"

namespace cv {

class TActionMenuTree;

class TActionMenuNode final : public TMenuNode {
public:
    TActionMenuNode(TActionMenuTree& tree, QAction* action) : tree_(tree), action_(action) {}

    QAction* Action() const { return action_; }

    TMenuNode* Parent() const override;
    int ChildCount() const override;
    TMenuNode* Child(int index) const override;
    bool Enabled() const override;
    bool Visible() const override;
    std::string Caption() const override;

private:
    TActionMenuTree& tree_;
    QPointer<QAction> action_;  // null for the root
};

// The nodes of one menu bar, made on demand and kept for the bar's lifetime.
class TActionMenuTree {
public:
    explicit TActionMenuTree(QMenuBar* menuBar);

    QMenuBar* MenuBar() const { return menuBar_; }
    TMenuNode* Root() { return &root_; }
    // The node of Action (created once); the root for null.
    TActionMenuNode* NodeOf(QAction* action);

private:
    QMenuBar* menuBar_;
    TActionMenuNode root_;
    std::map<QAction*, std::unique_ptr<TActionMenuNode>> nodes_;
};

}  // namespace cv
