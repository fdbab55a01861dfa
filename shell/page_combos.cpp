#include "shell/page_combos.h"

#include <algorithm>

#include "core/language/translator.h"
#include "ui/cp1252.h"

namespace cv {
namespace {

constexpr int kComboHeight = 21;
constexpr int kMinimumComboWidth = 100;
// A character is taken as 13 hundredths of the width unit.
constexpr int kWidthPerHundredChars = 13;
constexpr int kMargin = 8;
constexpr int kDefaultWidthChars = 15;

}  // namespace

TPageCombos::TPageCombos(QWidget& page, std::function<int()> clientTop, TChangeHandler onChange)
    : page_(page), clientTop_(std::move(clientTop)), onChange_(std::move(onChange)) {}

QComboBox* TPageCombos::CreateListCombo(int position, const QString& text, int width) {
    TSlot& slot = slots_.at(position - 1);
    if (!slot.combo) {
        slot.label = new QLabel(&page_);
        slot.combo = new QComboBox(&page_);
        slot.combo->setObjectName(QStringLiteral("Combo%1").arg(position));
        slot.label->setObjectName(QStringLiteral("ComboLabel%1").arg(position));
    }
    slot.label->setText(text);
    slot.label->adjustSize();
    slot.combo->resize(std::max(kMinimumComboWidth, width * 100 / kWidthPerHundredChars), kComboHeight);
    Place(position);
    slot.label->show();
    slot.combo->show();
    return slot.combo;
}

void TPageCombos::Place(int position) {
    TSlot& slot = slots_.at(position - 1);
    const int labelTop = clientTop_() + kMargin;
    const int comboTop = labelTop + (slot.label->height() - kComboHeight) / 2;
    const int clientWidth = page_.width();
    int comboLeft = 0;
    switch (position) {
        case 1:
            slot.label->move(kMargin, labelTop);
            comboLeft = slot.label->x() + slot.label->width() + kMargin;
            break;
        case 2:
            comboLeft = (clientWidth + kMargin) / 2;
            break;
        default:
            comboLeft = clientWidth - kMargin - slot.combo->width();
            break;
    }
    slot.combo->move(comboLeft, comboTop);
    if (position != 1) slot.label->move(comboLeft - kMargin - slot.label->width(), labelTop);
}

void TPageCombos::FillListCombo(int position, int selected, const TTextRange& range) {
    Fill(position, selected, range.key, Lines(range));
}

void TPageCombos::Fill(int position, int selected, const std::string& key, const std::vector<std::string>& items) {
    if (!Combo(position)) CreateListCombo(position, QString(), kDefaultWidthChars);
    TSlot& slot = slots_.at(position - 1);
    slot.combo->disconnect(&page_);
    if (slot.key != key) {
        slot.combo->clear();
        for (const std::string& line : items) slot.combo->addItem(Cp1252ToQString(line));
        slot.key = key;
    }
    slot.combo->setCurrentIndex(selected - 1);
    Connect(position);
}

QComboBox* TPageCombos::AddListCombo(const QString& text, int position, std::int16_t& word,
                                     const TTextRange& range) {
    return AddListCombo(text, position, word, range.key, Lines(range));
}

QComboBox* TPageCombos::AddListCombo(const QString& text, int position, std::int16_t& word, const std::string& key,
                                     const std::vector<std::string>& items) {
    std::size_t longest = 0;
    for (const std::string& line : items) longest = std::max(longest, line.size());
    CreateListCombo(position, text, static_cast<int>(longest));
    Fill(position, word, key, items);
    word = static_cast<std::int16_t>(Combo(position)->currentIndex() + 1);
    slots_.at(position - 1).word = &word;
    return Combo(position);
}

void TPageCombos::HideAll() {
    for (TSlot& slot : slots_) {
        if (!slot.combo) continue;
        slot.combo->disconnect(&page_);
        slot.combo->hide();
        slot.label->hide();
    }
}

void TPageCombos::PlaceShown() {
    for (int position = 1; position <= kPositions; ++position)
        if (const QComboBox* combo = Combo(position); combo && !combo->isHidden()) Place(position);
}

void TPageCombos::Connect(int position) {
    QObject::connect(Combo(position), &QComboBox::currentIndexChanged, &page_,
                     [this, position](int index) { onChange_(position, index); });
}

std::vector<std::string> TPageCombos::Lines(const TTextRange& range) const {
    std::vector<std::string> all;
    if (Translator) Translator->GetLines(kSectionSeries, range.key, all);
    std::vector<std::string> lines;
    for (int line = std::max(range.first, 1); line <= range.last && line <= static_cast<int>(all.size()); ++line)
        lines.push_back(all[line - 1]);
    return lines;
}

}  // namespace cv
