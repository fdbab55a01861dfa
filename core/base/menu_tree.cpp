#include "core/base/menu_tree.h"

namespace cv {
namespace {

enum class Direction { Forward, Backward };

int IndexInParent(const TMenuNode& parent, const TMenuNode* child) {
    for (int i = 0; i < parent.ChildCount(); ++i)
        if (parent.Child(i) == child) return i;
    return -1;
}

// Descends from Node through first (forward) or last (backward) children to a leaf.
TMenuNode* DescendToLeaf(TMenuNode* node, Direction direction) {
    while (node->ChildCount() > 0) node = node->Child(direction == Direction::Forward ? 0 : node->ChildCount() - 1);
    return node;
}

TMenuNode* StepInTree(TMenuNode* item, Direction direction) {
    if (item == nullptr) return nullptr;
    TMenuNode* node = item;
    while (TMenuNode* parent = node->Parent()) {
        const int sibling = IndexInParent(*parent, node) + (direction == Direction::Forward ? 1 : -1);
        if (sibling >= 0 && sibling < parent->ChildCount()) return DescendToLeaf(parent->Child(sibling), direction);
        node = parent;
    }
    // Node is the root: wrap round to its first (last) leaf.
    return DescendToLeaf(node, direction);
}

bool Qualifies(const TMenuNode& node) {
    const TMenuNode* parent = node.Parent();
    const bool parentShown = parent == nullptr || (parent->Enabled() && parent->Visible());
    return parentShown && node.Enabled() && node.Visible() && node.Caption() != "-";
}

TMenuNode* StepToQualifying(TMenuNode* item, Direction direction) {
    if (item == nullptr) return nullptr;
    TMenuNode* const first = StepInTree(item, direction);
    TMenuNode* candidate = first;
    while (candidate != item && !Qualifies(*candidate)) {
        candidate = StepInTree(candidate, direction);
        // Back at the first leaf: a full cycle found nothing (Item is no leaf,
        // or not in the cycle), so there is no other item to go to.
        if (candidate == first) return item;
    }
    return candidate;
}

}  // namespace

TMenuNode* NextMenuItemInTree(TMenuNode* item) { return StepInTree(item, Direction::Forward); }
TMenuNode* PrevMenuItemInTree(TMenuNode* item) { return StepInTree(item, Direction::Backward); }
TMenuNode* NextEnabledMenuItem(TMenuNode* item) { return StepToQualifying(item, Direction::Forward); }
TMenuNode* PrevEnabledMenuItem(TMenuNode* item) { return StepToQualifying(item, Direction::Backward); }

}  // namespace cv
