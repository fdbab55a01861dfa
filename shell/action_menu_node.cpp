#include "shell/action_menu_node.h"

#include <QMenu>

#include "ui/cp1252.h"

namespace cv {
namespace {

// The actions below Action: those of its sub-menu, none for a plain item.
QList<QAction*> ChildActions(QAction* action) {
    QMenu* menu = action ? action->menu() : nullptr;
    return menu ? menu->actions() : QList<QAction*>{};
}

}  // namespace

TActionMenuTree::TActionMenuTree(QMenuBar* menuBar) : menuBar_(menuBar), root_(*this, nullptr) {}

TActionMenuNode* TActionMenuTree::NodeOf(QAction* action) {
    if (!action) return &root_;
    std::unique_ptr<TActionMenuNode>& node = nodes_[action];
    if (!node) node = std::make_unique<TActionMenuNode>(*this, action);
    return node.get();
}

TMenuNode* TActionMenuNode::Parent() const {
    if (!action_) return nullptr;
    const QList<QAction*> topLevel = tree_.MenuBar()->actions();
    if (topLevel.contains(action_.data())) return tree_.Root();
    for (QAction* candidate : topLevel) {
        // Depth-first search for the sub-menu that holds the action.
        QList<QAction*> pending{candidate};
        while (!pending.isEmpty()) {
            QAction* parent = pending.takeFirst();
            const QList<QAction*> children = ChildActions(parent);
            if (children.contains(action_.data())) return tree_.NodeOf(parent);
            pending.append(children);
        }
    }
    return nullptr;
}

int TActionMenuNode::ChildCount() const {
    return static_cast<int>(action_ ? ChildActions(action_).size() : tree_.MenuBar()->actions().size());
}

TMenuNode* TActionMenuNode::Child(int index) const {
    const QList<QAction*> children = action_ ? ChildActions(action_) : tree_.MenuBar()->actions();
    if (index < 0 || index >= children.size()) return nullptr;
    return tree_.NodeOf(children[index]);
}

bool TActionMenuNode::Enabled() const { return !action_ || action_->isEnabled(); }

bool TActionMenuNode::Visible() const { return !action_ || action_->isVisible(); }

std::string TActionMenuNode::Caption() const {
    if (!action_) return {};
    return action_->isSeparator() ? std::string("-") : QStringToCp1252(action_->text());
}

}  // namespace cv
