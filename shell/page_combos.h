#pragma once
// The option combo boxes of a page window: up to three drop-down lists along
// the top of the page's client area (position 1 at the left, 2 in the middle,
// 3 at the right), each with a label on its left, filled with lines of an
// entry of the language file's series section.

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace cv {

// Lines First..Last (from 1) of the entry Key of the series section.
struct TTextRange {
    std::string key;
    int first = 1;
    int last = 1;
};

class TPageCombos {
public:
    static constexpr int kPositions = 3;
    // What a combo's change does: position (1..3) and the new item index (from 0).
    using TChangeHandler = std::function<void(int position, int index)>;

    // Page: the window the combos lie on; ClientTop: where its client area starts.
    TPageCombos(QWidget& page, std::function<int()> clientTop, TChangeHandler onChange);

    // Creates (once) the combo at Position and its label, captions the label
    // with Text and places both; Width is in characters.
    QComboBox* CreateListCombo(int position, const QString& text, int width);
    // Loads the lines of Range (only when the combo holds another entry's)
    // and selects the 1-based Selected, without running the change handler.
    void FillListCombo(int position, int selected, const TTextRange& range);
    // A combo as wide as Range's longest line, filled and selecting Word,
    // which then holds the selection (1-based) and takes every change.
    QComboBox* AddListCombo(const QString& text, int position, std::int16_t& word, const TTextRange& range);
    // The same for a list of Items (a series' labels) that Key names.
    QComboBox* AddListCombo(const QString& text, int position, std::int16_t& word, const std::string& key,
                            const std::vector<std::string>& items);
    // Hides every combo and label; their changes run nothing until they are filled again.
    void HideAll();
    // Places the shown combos again for the page's present width.
    void PlaceShown();

    QComboBox* Combo(int position) const { return slots_.at(position - 1).combo; }
    // The word the combo at Position was added with; null when it was only filled.
    std::int16_t* Word(int position) const { return slots_.at(position - 1).word; }
    QLabel* Label(int position) const { return slots_.at(position - 1).label; }

private:
    struct TSlot {
        QPointer<QComboBox> combo;
        QPointer<QLabel> label;
        std::string key;  // the entry whose lines the combo holds; empty when cleared
        std::int16_t* word = nullptr;
    };

    void Connect(int position);
    void Fill(int position, int selected, const std::string& key, const std::vector<std::string>& items);
    void Place(int position);
    std::vector<std::string> Lines(const TTextRange& range) const;

    QWidget& page_;
    std::function<int()> clientTop_;
    TChangeHandler onChange_;
    std::array<TSlot, kPositions> slots_;
};

}  // namespace cv
