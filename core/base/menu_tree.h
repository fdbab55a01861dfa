#pragma once
// Stepping through the leaves of a menu tree, as the main window's next-page and
// previous-page buttons do on its page menu. The tree is reached through the
// abstract TMenuNode, so that core needs no widget library; the user interface
// wraps its own menu items in it.

#include <string>

namespace cv {

// One item of a menu tree: the root has no parent; a leaf has no children.
class TMenuNode {
public:
    virtual ~TMenuNode() = default;

    virtual TMenuNode* Parent() const = 0;
    virtual int ChildCount() const = 0;
    // Child Index, 0-based, in menu order.
    virtual TMenuNode* Child(int index) const = 0;
    virtual bool Enabled() const = 0;
    virtual bool Visible() const = 0;
    // The caption as single-byte Western code page bytes; "-" marks a separator.
    virtual std::string Caption() const = 0;
};

// The leaf after Item in depth-first order, wrapping from the last leaf to the
// first; from the root (or any item without a parent), its first leaf. Item
// itself when the tree has no leaf to go to. A null Item gives null.
TMenuNode* NextMenuItemInTree(TMenuNode* item);
// The mirror: the leaf before Item, wrapping from the first leaf to the last.
TMenuNode* PrevMenuItemInTree(TMenuNode* item);

// The next (previous) leaf that a user can choose: it and its immediate parent
// are enabled and visible and its caption is not "-". Item itself when no other
// leaf qualifies, also when Item is not a leaf: the walk stops after one full
// cycle through the leaves.
TMenuNode* NextEnabledMenuItem(TMenuNode* item);
TMenuNode* PrevEnabledMenuItem(TMenuNode* item);

}  // namespace cv
