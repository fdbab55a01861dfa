#include "decisions/mix/mix_form.h"

#include <QFont>

#include "decisions/dialogs/dialog_frame.h"
#include "ui/platform_color.h"

namespace cv {

namespace {

constexpr std::uint32_t kTitleColour = 0x800080;
constexpr int kTitlePoints = 12;
constexpr int kRowHeight = 22;
// From the top: the title below the lent controls, the brand tabs, the mix,
// the segments beside the objectives, then OK and Cancel.
constexpr int kTitleTop = kLentControlsTop;
constexpr int kTabsTop = kTitleTop + 24;
constexpr int kMixTop = kTabsTop + 26;
constexpr int kMixHeight = 194;
constexpr int kLowerTop = kMixTop + kMixHeight + 4;
constexpr int kLowerHeight = 130;
constexpr int kButtonsTop = kLowerTop + kLowerHeight + 6;
// Columns of the mix: the line's caption, then last period, decision, increase.
constexpr int kCaptionLeft = 10;
constexpr int kCaptionWidth = 214;
constexpr int kLastLeft = 230;
constexpr int kDecidedLeft = 330;
constexpr int kIncreaseLeft = 430;
constexpr int kValueWidth = 90;
constexpr int kIncreaseWidth = 70;
constexpr int kFirstLineTop = 34;
constexpr int kLineStep = 26;
// The segments: names above shares, 63 pixels apart.
constexpr int kSegmentLeft = 12;
constexpr int kSegmentStep = 63;
constexpr int kSegmentWidth = 58;
constexpr int kSegmentMaxLength = 5;
constexpr int kObjectiveMaxLength = 5;
constexpr double kNoLimit = 2e9;
constexpr int kPriceLimit = 10000;
constexpr int kProductionLimit = 2000;
constexpr int kShareLimit = 100;

constexpr TFieldFormat kText{TEditKind::ekAlphaNum, -kNoLimit, kNoLimit, 0};
constexpr TFieldFormat kShownInteger{TEditKind::ekInteger, -kNoLimit, kNoLimit, 0};
constexpr TFieldFormat kIncrease{TEditKind::ekReal, -kNoLimit, kNoLimit, 1};

TQNEdit* Edit(QWidget* parent, const char* name, QRect place, const TFieldFormat& format) {
    auto* edit = new TQNEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(place);
    ApplyFieldFormat(*edit, format);
    return edit;
}

// A field that only shows: it takes no focus and no typing.
TQNEdit* Shown(QWidget* parent, const char* name, QRect place, const TFieldFormat& format) {
    TQNEdit* edit = Edit(parent, name, place, format);
    edit->setReadOnly(true);
    edit->SetFieldEnabled(false);
    return edit;
}

QLabel* Label(QWidget* parent, const char* name, QRect place, Qt::Alignment alignment = Qt::AlignLeft) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

QGroupBox* Group(QWidget& dialog, const char* name, QRect place) {
    auto* group = new QGroupBox(&dialog);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(place);
    return group;
}

QRect LineRect(int line, int left, int width) { return {left, kFirstLineTop + line * kLineStep, width, kRowHeight}; }

// A line of the mix: its caption and its fields, named after Stem
// ("ProdLevel": QNEProdLevelSimPer, QNEProdLevelCurPer, QNEProdLevelInc).
TMixLine MixLine(QGroupBox* group, int line, const char* caption, const std::string& stem,
                 const TFieldFormat& decided, bool withIncrease) {
    Label(group, caption, LineRect(line, kCaptionLeft, kCaptionWidth));
    TMixLine fields;
    fields.last =
        Shown(group, ("QNE" + stem + "SimPer").c_str(), LineRect(line, kLastLeft, kValueWidth), kShownInteger);
    fields.decided = Edit(group, ("QNE" + stem + "CurPer").c_str(), LineRect(line, kDecidedLeft, kValueWidth), decided);
    if (withIncrease)
        fields.increase = Edit(group, ("QNE" + stem + "Inc").c_str(), LineRect(line, kIncreaseLeft, kIncreaseWidth),
                               kIncrease);
    return fields;
}

void BuildMixGroup(QWidget& dialog, TMixForm& form) {
    QGroupBox* group = form.GBMktMix = Group(dialog, "GBMktMix", {8, kMixTop, 608, kMixHeight});
    const int headingTop = 12;
    Label(group, "LSimPer", {kLastLeft, headingTop, kValueWidth, 18}, Qt::AlignHCenter);
    Label(group, "LCurPer", {kDecidedLeft, headingTop, kValueWidth, 18}, Qt::AlignHCenter);
    Label(group, "LInc", {kIncreaseLeft, headingTop, kIncreaseWidth, 18}, Qt::AlignHCenter);
    Label(group, "LBaseProto", LineRect(0, kCaptionLeft, kCaptionWidth));
    form.QNEBaseProtoSimPer = Shown(group, "QNEBaseProtoSimPer", LineRect(0, kLastLeft, kValueWidth), kText);
    form.QNEBaseProtoCurPer = Shown(group, "QNEBaseProtoCurPer", LineRect(0, kDecidedLeft, kValueWidth), kText);
    form.production =
        MixLine(group, 1, "LProdLevel", "ProdLevel", {TEditKind::ekInteger, 0, kProductionLimit, 0}, true);
    // Inventory sold can only be given up, never taken back: at least 0.
    form.inventory = MixLine(group, 2, "LInventory", "Invent", {TEditKind::ekInteger, 0, kNoLimit, 0}, false);
    form.LCurInventory = Label(group, "LCurInventory", {kIncreaseLeft, LineRect(2, 0, 0).top() - 3, 172, 28});
    form.LCurInventory->setWordWrap(true);
    // Advertising in thousands.
    const TFieldFormat advertising{TEditKind::ekInteger, 0, TMixForm::kAdvertisingLimit, 0};
    form.massCom = MixLine(group, 3, "LMassComBgt", "MassCom", advertising, true);
    form.advRes = MixLine(group, 4, "LAdvResBgt", "AdvRes", advertising, true);
    form.price = MixLine(group, 5, "LRecomPrice", "Price", {TEditKind::ekInteger, 0, kPriceLimit, 0}, true);
}

void BuildSegmentGroup(QWidget& dialog, TMixForm& form) {
    QGroupBox* group = form.GBSegStrat = Group(dialog, "GBSegStrat", {8, kLowerTop, 340, kLowerHeight});
    const TFieldFormat share{TEditKind::ekInteger, 0, kShareLimit, 0};
    for (int i = 0; i < TMixForm::kSegmentFields; ++i) {
        const int left = kSegmentLeft + i * kSegmentStep;
        const std::string number = std::to_string(i + 1);
        form.QNESeg[i] = Shown(group, ("QNESeg" + number).c_str(), {left, 22, kSegmentWidth, kRowHeight}, kText);
        form.QNESegCurPer[i] =
            Edit(group, ("QNESegCurPer" + number).c_str(), {left, 48, kSegmentWidth, kRowHeight}, share);
        form.QNESegCurPer[i]->setMaxLength(kSegmentMaxLength);
        // A share is never negative: its minus sign goes as it is typed.
        form.QNESegCurPer[i]->RefuseMinus = true;
    }
    const int totalLeft = kSegmentLeft + (TMixForm::kSegmentFields - 1) * kSegmentStep;
    Label(group, "LTotal", {totalLeft - 110, 90, 100, kRowHeight}, Qt::AlignRight);
    form.QNEtotal = Shown(group, "QNEtotal", {totalLeft, 90, kSegmentWidth, kRowHeight}, kShownInteger);
}

QRadioButton* ModeButton(QGroupBox* group, const char* name, int top) {
    auto* button = new QRadioButton(group);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(10, top, 240, 18);
    return button;
}

QComboBox* ObjectiveList(QGroupBox* group, const char* name, int top) {
    auto* list = new QComboBox(group);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(10, top, 170, kRowHeight);
    return list;
}

void BuildObjectiveGroup(QWidget& dialog, TMixForm& form) {
    QGroupBox* group = form.GBPercObj = Group(dialog, "GBPercObj", {356, kLowerTop, 260, kLowerHeight});
    form.RBSemScales = ModeButton(group, "RBSemScales", 18);
    form.RBPercMap = ModeButton(group, "RBPercMap", 36);
    form.RBNoCom = ModeButton(group, "RBNoCom", 54);
    form.CBObj1 = ObjectiveList(group, "CBObj1", 78);
    form.CBObj2 = ObjectiveList(group, "CBObj2", 104);
    form.QNEObj1 = Edit(group, "QNEObj1", {188, 78, 60, kRowHeight}, kText);
    form.QNEObj2 = Edit(group, "QNEObj2", {188, 104, 60, kRowHeight}, kText);
    form.QNEObj1->setMaxLength(kObjectiveMaxLength);
    form.QNEObj2->setMaxLength(kObjectiveMaxLength);
}

QPushButton* Button(QWidget& dialog, const char* name, QRect place) {
    auto* button = new QPushButton(&dialog);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    button->setAutoDefault(false);
    // A click leaves the focus where it is: the dialog itself ends the edit of
    // the field being typed in, so that a refused value is reported once.
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

}  // namespace

void ApplyFieldFormat(TQNEdit& field, const TFieldFormat& format) {
    field.Kind = format.kind;
    field.MinValue = format.min;
    field.MaxValue = format.max;
    field.Precision = format.precision;
}

TMixForm BuildMixForm(QWidget& dialog) {
    TMixForm form;
    dialog.setFixedSize(TMixForm::kClientWidth, TMixForm::kClientHeight);
    form.paTitle = Label(&dialog, "paTitle", {0, kTitleTop, TMixForm::kClientWidth, 22}, Qt::AlignHCenter);
    QFont titleFont = dialog.font();
    titleFont.setPointSize(kTitlePoints);
    form.paTitle->setFont(titleFont);
    QPalette titleColours = form.paTitle->palette();
    titleColours.setColor(QPalette::WindowText, PlatformColor(kTitleColour));
    form.paTitle->setPalette(titleColours);
    form.QNTSBrand = new TBrandTabBar(&dialog);
    form.QNTSBrand->setObjectName(QStringLiteral("QNTSBrand"));
    form.QNTSBrand->setGeometry(8, kTabsTop, 608, 24);
    form.QNTSBrand->setFont(dialog.font());
    BuildMixGroup(dialog, form);
    BuildSegmentGroup(dialog, form);
    BuildObjectiveGroup(dialog, form);
    form.BBOK = Button(dialog, "BBOK", {424, kButtonsTop, 90, 28});
    form.BBCancel = Button(dialog, "BBCancel", {526, kButtonsTop, 90, 28});
    // Enter presses OK, as in the other decision dialogs.
    form.BBOK->setDefault(true);
    return form;
}

}  // namespace cv
