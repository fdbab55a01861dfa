#pragma once
// The controls of the marketing-mix dialog, laid out for a client area of
// 624 x 456 (it fits a 640 x 480 screen): the lent selector groups and tool
// buttons along the top, the title, the brand tabs, the mix with its three
// columns (last period, decision, increase), the segments' advertising shares
// with their total, the perceptual objectives, and OK and Cancel.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "core/session/fta_budget.h"
#include "decisions/dialogs/brand_tab_bar.h"
#include "ui/fields/qn_edit.h"

namespace cv {

// What a number field holds: its kind, its range and its decimals.
struct TFieldFormat {
    TEditKind kind;
    double min;
    double max;
    int precision;
};

void ApplyFieldFormat(TQNEdit& field, const TFieldFormat& format);

// One line of the mix: last period's value, the decided one and the increase
// between them (none for the inventory sold).
struct TMixLine {
    TQNEdit* last = nullptr;
    TQNEdit* decided = nullptr;
    TQNEdit* increase = nullptr;
};

struct TMixForm {
    static constexpr int kSegmentFields = 5;
    // An advertising field's range, in thousands: what one figure of the
    // zone's budget holds. The dialog narrows it to what the budget carries.
    static constexpr std::int32_t kAdvertisingLimit = kBudgetLargestAmount / 1000;
    static constexpr int kClientWidth = 624;
    // OK and Cancel end 6 pixels above the bottom, so that the window and a
    // window manager's frame fit a 480-pixel screen.
    static constexpr int kClientHeight = 452;

    QLabel* paTitle = nullptr;
    TBrandTabBar* QNTSBrand = nullptr;
    QGroupBox* GBMktMix = nullptr;
    QGroupBox* GBSegStrat = nullptr;
    QGroupBox* GBPercObj = nullptr;

    TQNEdit* QNEBaseProtoSimPer = nullptr;
    TQNEdit* QNEBaseProtoCurPer = nullptr;
    TMixLine production, inventory, massCom, advRes, price;
    QLabel* LCurInventory = nullptr;

    std::array<TQNEdit*, kSegmentFields> QNESeg{};
    std::array<TQNEdit*, kSegmentFields> QNESegCurPer{};
    TQNEdit* QNEtotal = nullptr;

    QRadioButton* RBSemScales = nullptr;
    QRadioButton* RBPercMap = nullptr;
    QRadioButton* RBNoCom = nullptr;
    QComboBox* CBObj1 = nullptr;
    QComboBox* CBObj2 = nullptr;
    TQNEdit* QNEObj1 = nullptr;
    TQNEdit* QNEObj2 = nullptr;

    QPushButton* BBOK = nullptr;
    QPushButton* BBCancel = nullptr;

    std::array<QGroupBox*, 3> Groups() const { return {GBMktMix, GBSegStrat, GBPercObj}; }
    // The lines that have an increase.
    std::array<const TMixLine*, 4> IncreaseLines() const { return {&production, &massCom, &advRes, &price}; }
};

// Creates the controls on Dialog, named as the language file knows them.
TMixForm BuildMixForm(QWidget& dialog);

}  // namespace cv
