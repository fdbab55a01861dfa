#include "decisions/summary/print_dec_dialog.h"

#include <QApplication>

#include "core/language/translator.h"
#include "core/session/session.h"
#include "ui/cp1252.h"
#include "ui/printing/prn_setup.h"

namespace cv {

namespace {

constexpr char kChoicesKey[] = "rgPrintDecChoices";
// Lines of the choices' entry: the decisions, the budget, the marketing plan.
constexpr int kFirstChoiceLine = 2;
constexpr int kDecisionsChoice = 1;
constexpr int kPlanChoice = 3;

// Pixels.
constexpr QSize kClient(330, 196);
constexpr QRect kChoices(10, 8, 310, 100);
constexpr int kChoiceHeight = 22;
constexpr QRect kXlOnly(10, 116, 310, 22);
constexpr QSize kButton(96, 26);
constexpr int kButtonTop = 158;
constexpr int kButtonGap = 11;

}  // namespace

TFoPrintDec::TFoPrintDec(QWidget* owner, int& spreadsheetOnly, int& choice)
    : TQNForm(owner), spreadsheetOnly_(spreadsheetOnly), choice_(choice) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setObjectName(QStringLiteral("FoPrintDec"));
    const bool withPlan = Session && !Session->IsRestrictEnabled("rcDecisions", "NoMarketingPlan") &&
                          !Session->IsRestrictHidden("rcDecisions", "NoMarketingPlan");
    BuildControls(withPlan);
    Layout();
    TranslateForm();
    // The choices' entry holds the group's caption, then one line per choice.
    const auto line = [](int lineNo) {
        return Translator ? Cp1252ToQString(Translator->GetLine(kSectionControls, kChoicesKey, lineNo))
                          : QString::number(lineNo);
    };
    rgPrintDecChoices->setTitle(line(1));
    for (std::size_t i = 0; i < choices_.size(); ++i) choices_[i]->setText(line(kFirstChoiceLine + static_cast<int>(i)));
    if (choice_ == kPlanChoice && !withPlan) choice_ = kDecisionsChoice;
    if (choice_ >= 1 && choice_ <= static_cast<int>(choices_.size())) choices_[choice_ - 1]->setChecked(true);
    ChBXLOnly->setChecked(spreadsheetOnly_ == 1);
    QApplication::restoreOverrideCursor();
    // Without a printer only the file can be written; the team is told where.
    const bool printer = CheckPrinterForFiles(Session ? Session->PrivateDir() : std::string());
    ChBXLOnly->setEnabled(printer);
    ChBXLOnly->setChecked(!printer);
    ChBXLOnlyClick();
}

void TFoPrintDec::BuildControls(bool withPlan) {
    setModal(true);
    rgPrintDecChoices = new QGroupBox(this);
    rgPrintDecChoices->setObjectName(QLatin1String(kChoicesKey));
    for (int i = 0; i < (withPlan ? 3 : 2); ++i) {
        auto* button = new QRadioButton(rgPrintDecChoices);
        button->setObjectName(QStringLiteral("rgPrintDecChoices%1").arg(i + 1));
        connect(button, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) choice_ = i + 1;
        });
        choices_.push_back(button);
    }
    ChBXLOnly = new QCheckBox(this);
    ChBXLOnly->setObjectName(QStringLiteral("ChBXLOnly"));
    connect(ChBXLOnly, &QCheckBox::toggled, this, &TFoPrintDec::ChBXLOnlyClick);
    BBPrint = new QPushButton(QStringLiteral("Print"), this);
    BBPrint->setObjectName(QStringLiteral("BBPrint"));
    BBPrint->setDefault(true);
    connect(BBPrint, &QPushButton::clicked, this, &QDialog::accept);
    bbCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbCancel->setObjectName(QStringLiteral("bbCancel"));
    connect(bbCancel, &QPushButton::clicked, this, &QDialog::reject);
    BBPrintSetup = new QPushButton(QStringLiteral("Printer..."), this);
    BBPrintSetup->setObjectName(QStringLiteral("BBPrintSetup"));
    connect(BBPrintSetup, &QPushButton::clicked, this, &TFoPrintDec::BBPrintSetupClick);
}

void TFoPrintDec::Layout() {
    setFixedSize(kClient);
    rgPrintDecChoices->setGeometry(kChoices);
    for (std::size_t i = 0; i < choices_.size(); ++i)
        choices_[i]->setGeometry(12, 20 + static_cast<int>(i) * kChoiceHeight, kChoices.width() - 24, kChoiceHeight);
    ChBXLOnly->setGeometry(kXlOnly);
    const int left = (kClient.width() - 3 * kButton.width() - 2 * kButtonGap) / 2;
    BBPrint->setGeometry(left, kButtonTop, kButton.width(), kButton.height());
    bbCancel->setGeometry(left + kButton.width() + kButtonGap, kButtonTop, kButton.width(), kButton.height());
    BBPrintSetup->setGeometry(left + 2 * (kButton.width() + kButtonGap), kButtonTop, kButton.width(),
                              kButton.height());
}

void TFoPrintDec::ChBXLOnlyClick() { spreadsheetOnly_ = ChBXLOnly->isChecked() ? 1 : 0; }

// A printer chosen here makes printing possible.
void TFoPrintDec::BBPrintSetupClick() {
    if (PrinterSetupDialog(this, false) && !ChBXLOnly->isEnabled()) {
        ChBXLOnly->setEnabled(true);
        ChBXLOnly->setChecked(false);
    }
}

}  // namespace cv
