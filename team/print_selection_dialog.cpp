#include "team/print_selection_dialog.h"

#include <QApplication>
#include <array>

#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "reports/documents/cv_doc.h"
#include "reports/screen/result_screen.h"
#include "team/document_charts.h"
#include "ui/cp1252.h"
#include "ui/fields/qn_edit.h"
#include "ui/message_box.h"
#include "ui/platform_color.h"
#include "ui/printing/prn_setup.h"

namespace cv {

namespace {

// Pixels: the copies row, the two panels, the study grid, the buttons.
constexpr QSize kClient(632, 453);
constexpr int kCopiesTop = 7, kCopiesLabelTop = 11, kCopiesWidth = 20, kCopiesMaxChars = 2, kMaxCopies = 10;
constexpr int kLeft = 10, kPanelTop = 40, kRowHeight = 18, kIndent = 10, kBoxWidth = 220;
constexpr int kStudiesLeft = 250, kStudyColumn = 175 + 10, kStudyColumnStep = 75, kStudyBoxWidth = 45;
constexpr int kMaxStudyRows = 16;
constexpr int kButtonTop = 380, kButtonHeight = 26, kButtonGap = 4;
constexpr std::uint32_t kDisabledText = 0x808080;
constexpr char kMessagesMisc[] = "Misc";
constexpr int kCopiesLine = 4;
// Print, or write the files only.
constexpr int kPrintFlags = kDocNoFile | 1;
constexpr int kFileOnlyFlags = 0;

// The groups of the results and newsletter pages' menus, in menu order, with
// the item of the page's restriction category that disables or hides each.
struct TMenuSection {
    const char* menuItem;
    const char* restriction;
};
constexpr std::array<TMenuSection, 6> kReportSections{{{"MPFir", "NoCompanyResults"},
                                                       {"MPBrd", "NoBrandResults"},
                                                       {"MPRnD", "NoRD"},
                                                       {"MPCum", "NoCumulResults"},
                                                       {"MPMsgs", "NoMessages"},
                                                       {"MPPDecs", "NoPastDecs"}}};
constexpr std::array<TMenuSection, 3> kNewsletterSections{
    {{"MPNLSMkt", "NoStockMarket"}, {"MPNLEco", "NoEconomic"}, {"MPNLBrd", "NoMarketReport"}}};

QString MenuCaption(std::string_view name) {
    return Translator ? Cp1252ToQString(Translator->GetLine(kSectionMenus, std::string(name), 1)) : QString();
}

void SetTextColour(QWidget& widget, bool enabled) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, enabled ? QColor(Qt::black) : PlatformColor(kDisabledText));
    widget.setPalette(palette);
}

}  // namespace

TFoAdmPrn::TFoAdmPrn(QWidget* owner, const TDataContext& context)
    : TQNForm(owner), Cancelled(ProgressBoxCancelled), context_(context) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setObjectName(QStringLiteral("FoAdmPrn"));
    setModal(true);
    setFixedSize(kClient);
    BuildControls();
    TranslateForm();
    EnableBoxes();
    QApplication::restoreOverrideCursor();
    // Without a printer only the files can be written; the team is told where.
    const bool printer = CheckPrinterForFiles(Session ? Session->PrivateDir() : std::string());
    ChBXLOnly->setEnabled(printer);
    ChBXLOnly->setChecked(!printer);
    copies_->setFocus();
}

void TFoAdmPrn::Place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(left, top, width, height);
}

void TFoAdmPrn::BuildControls() {
    // The team's copies: one field, for its own firm.
    auto* copiesLabel = new QLabel(this);
    copiesLabel->setObjectName(QStringLiteral("LCopies1"));
    std::string caption = "Copies";
    if (Translator) Translator->MessagesLine(kMessagesMisc, kCopiesLine, caption);
    copiesLabel->setText(Cp1252ToQString(caption));
    copiesLabel->adjustSize();
    copiesLabel->move(kLeft, kCopiesLabelTop);
    copies_ = new TQNEdit(this);
    copies_->setObjectName(QStringLiteral("EdCopies1"));
    copies_->Kind = TEditKind::ekInteger;
    copies_->MinValue = 0;
    copies_->MaxValue = kMaxCopies;
    copies_->setMaxLength(kCopiesMaxChars);
    copies_->SetValueInt(1);
    Place(copies_, copiesLabel->x() + copiesLabel->width() + 10, kCopiesTop, kCopiesWidth, kRowHeight + 2);

    ChBReport = new QCheckBox(this);
    ChBReport->setObjectName(QStringLiteral("ChBReport"));
    Place(ChBReport, kLeft, kPanelTop, kBoxWidth, kRowHeight);
    AddSectionBoxes(ChBReport, "rcReport", false, reportBoxes_, reportRestricted_);
    ChBNLetter = new QCheckBox(this);
    ChBNLetter->setObjectName(QStringLiteral("ChBNLetter"));
    Place(ChBNLetter, kLeft, ChBReport->y() + (static_cast<int>(reportBoxes_.size()) + 2) * kRowHeight, kBoxWidth,
          kRowHeight);
    AddSectionBoxes(ChBNLetter, "rcNewsletter", true, newsletterBoxes_, newsletterRestricted_);
    ChBStudies = new QCheckBox(this);
    ChBStudies->setObjectName(QStringLiteral("ChBStudies"));
    Place(ChBStudies, kStudiesLeft, kPanelTop, kBoxWidth, kRowHeight);
    AddStudyRows();
    for (QCheckBox* document : {ChBReport, ChBNLetter, ChBStudies})
        connect(document, &QCheckBox::toggled, this, &TFoAdmPrn::EnableBoxes);

    // The instructor's print does not exist in the team's program.
    const int optionsTop = ChBNLetter->y() + (static_cast<int>(newsletterBoxes_.size()) + 2) * kRowHeight;
    RBPrnTeam = new QRadioButton(this);
    RBPrnTeam->setObjectName(QStringLiteral("RBPrnTeam"));
    RBPrnAdm = new QRadioButton(this);
    RBPrnAdm->setObjectName(QStringLiteral("RBPrnAdm"));
    Place(RBPrnTeam, kLeft, optionsTop, kBoxWidth, kRowHeight);
    Place(RBPrnAdm, kLeft, optionsTop + kRowHeight, kBoxWidth, kRowHeight);
    RBPrnTeam->setChecked(true);
    for (QRadioButton* button : {RBPrnTeam, RBPrnAdm}) {
        button->setEnabled(false);
        button->setFocusPolicy(Qt::NoFocus);
    }
    ChBXLOnly = new QCheckBox(this);
    ChBXLOnly->setObjectName(QStringLiteral("ChBXLOnly"));
    Place(ChBXLOnly, kLeft, optionsTop + 5 * kRowHeight / 2, kBoxWidth, kRowHeight);

    const auto button = [this](const char* name, int row, int column, int columns) {
        auto* pressed = new QPushButton(QString::fromLatin1(name), this);
        pressed->setObjectName(QLatin1String(name));
        pressed->setAutoDefault(false);
        const int width = (kClient.width() - 2 * kLeft - (columns - 1) * kButtonGap) / columns;
        Place(pressed, kLeft + column * (width + kButtonGap), kButtonTop + row * (kButtonHeight + 8), width,
              kButtonHeight);
        return pressed;
    };
    connect(button("BBComplete", 0, 0, 5), &QPushButton::clicked, this, [this] { SelectAll(true, true, true); });
    connect(button("BBAllCReport", 0, 1, 5), &QPushButton::clicked, this, [this] { SelectAll(true, false, false); });
    connect(button("BBAllNLetter", 0, 2, 5), &QPushButton::clicked, this, [this] { SelectAll(false, true, false); });
    connect(button("BBAllStudies", 0, 3, 5), &QPushButton::clicked, this, [this] { SelectAll(false, false, true); });
    connect(button("BBClearSelection", 0, 4, 5), &QPushButton::clicked, this, &TFoAdmPrn::ClearSelection);
    QPushButton* print = button("BBPrintItems", 1, 0, 3);
    print->setDefault(true);
    connect(print, &QPushButton::clicked, this, &TFoAdmPrn::BBPrintItemsClick);
    connect(button("BBPrintSetup", 1, 1, 3), &QPushButton::clicked, this, [this] { PrinterSetupDialog(this, false); });
    connect(button("BBClose", 1, 2, 3), &QPushButton::clicked, this, &QDialog::reject);
    QPushButton* instructor = button("BBPrintAdm", 1, 2, 3);
    instructor->setEnabled(false);
    instructor->hide();

    pWMF = new QWidget(this);
    pWMF->setObjectName(QStringLiteral("pWMF"));
    pWMF->hide();
}

// A box per group of the page's menu, captioned like it, hidden or disabled
// with its restriction item.
void TFoAdmPrn::AddSectionBoxes(QCheckBox* document, const char* category, bool newsletter,
                                std::vector<QCheckBox*>& boxes, std::vector<bool>& restricted) {
    const auto add = [&](const TMenuSection& section) {
        // The menu's caption, its shortcut letter marked as a box marks it.
        auto* box = new QCheckBox(MenuCaption(section.menuItem), this);
        box->setObjectName(QStringLiteral("ChB%1").arg(QLatin1String(section.menuItem)));
        Place(box, kLeft + kIndent, document->y() + (static_cast<int>(boxes.size()) + 1) * kRowHeight, kBoxWidth,
              kRowHeight);
        box->setVisible(!(Session && Session->IsRestrictHidden(category, section.restriction)));
        restricted.push_back(Session && Session->IsRestrictEnabled(category, section.restriction));
        boxes.push_back(box);
    };
    if (newsletter)
        for (const TMenuSection& section : kNewsletterSections) add(section);
    else
        for (const TMenuSection& section : kReportSections) add(section);
    // The document itself.
    const bool hiddenAll = newsletter ? Session && Session->IsRestrictHidden("rcNewsletter", "NoNewsletter")
                                      : Session && Session->IsRestrictHidden("rcReport", "NoReport");
    const bool restrictedAll = newsletter ? Session && Session->IsRestrictEnabled("rcNewsletter", "NoNewsletter")
                                          : Session && Session->IsRestrictEnabled("rcReport", "NoReport");
    document->setVisible(!hiddenAll);
    document->setEnabled(!restrictedAll);
}

// A row for each study available (in at least one market) and not hidden by
// a restriction: its label and a box for the zone or for each market where it
// is available. A hidden study takes no row, so that no gap is left.
void TFoAdmPrn::AddStudyRows() {
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!industry) return;
    TDataContext context = context_;
    const TSeries* zoneStudies = si::StuFta;
    const TSeries* marketStudies = si::StuMkt;
    const TSimArr* zoneParams = industry->ConstPart().FindSimArr(kCategoryFta, context, "StuFtaParams");
    for (int s = zoneStudies ? zoneStudies->Lo() : 1; zoneStudies && s <= zoneStudies->Hi() && studyRows_ < kMaxStudyRows; ++s) {
        const std::string& key = zoneStudies->Labels()[static_cast<std::size_t>(s - zoneStudies->Lo())];
        if (ArrayNumber(zoneParams, {s, si::IsStuAvailable}) == 0 || Session->IsRestrictHidden("StuFta", key)) continue;
        AddStudyBox(studyRows_, 1, true, s, key, Cp1252ToQString(industry->FtaLabel(context.SelFta)));
        studyBoxes_.back().label->setText(Cp1252ToQString(industry->StuFtaLabel(s)));
        ++studyRows_;
    }
    for (int s = marketStudies ? marketStudies->Lo() : 1; marketStudies && s <= marketStudies->Hi() && studyRows_ < kMaxStudyRows; ++s) {
        const std::string& key = marketStudies->Labels()[static_cast<std::size_t>(s - marketStudies->Lo())];
        if (Session->IsRestrictHidden("StuMkt", key)) continue;
        bool any = false;
        for (int m = 1; m <= std::min(industry->NbMarkets(), kMaxMarkets); ++m) {
            context.SelMarket = static_cast<std::int16_t>(m);
            const TSimArr* params = industry->ConstPart().FindSimArr(kCategoryFtaMarket, context, "StuMktParams");
            if (ArrayNumber(params, {s, si::IsStuAvailable}) == 0) continue;
            AddStudyBox(studyRows_, m, false, s, key, Cp1252ToQString(industry->MarketLabel(m)));
            studyBoxes_.back().label->setText(Cp1252ToQString(industry->StuMktLabel(s)));
            any = true;
        }
        if (any) ++studyRows_;
    }
}

void TFoAdmPrn::AddStudyBox(int row, int column, bool zoneLevel, int study, const std::string& key,
                            const QString& caption) {
    const int top = kPanelTop + (row + 1) * kRowHeight;
    QLabel* label = nullptr;
    for (const TStudyBox& box : studyBoxes_)
        if (box.zoneLevel == zoneLevel && box.study == study) label = box.label;
    if (!label) {
        label = new QLabel(this);
        Place(label, kStudiesLeft + kIndent, top, kStudyColumn - kIndent, kRowHeight);
    }
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(QStringLiteral("ChBStudy%1_%2").arg(row + 1).arg(column));
    Place(box, kStudiesLeft + kStudyColumn + (column - 1) * kStudyColumnStep, top, kStudyBoxWidth + 20, kRowHeight);
    const char* category = zoneLevel ? "StuFta" : "StuMkt";
    studyBoxes_.push_back({box, label, zoneLevel, study, column, Session && Session->IsRestrictEnabled(category, key)});
}

// A section or study box may be chosen while its document is and its item is not restricted.
void TFoAdmPrn::EnableBoxes() {
    const auto enable = [](const std::vector<QCheckBox*>& boxes, const std::vector<bool>& restricted, bool on) {
        for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i]->setEnabled(on && !restricted[i]);
    };
    enable(reportBoxes_, reportRestricted_, ChBReport->isChecked());
    enable(newsletterBoxes_, newsletterRestricted_, ChBNLetter->isChecked());
    for (const TStudyBox& box : studyBoxes_) {
        box.box->setEnabled(ChBStudies->isChecked() && !box.restricted);
        SetTextColour(*box.label, box.box->isEnabled());
    }
}

void TFoAdmPrn::SelectAll(bool report, bool newsletter, bool studies) {
    const auto all = [](QCheckBox* document, const std::vector<QCheckBox*>& boxes, const std::vector<bool>& restricted) {
        if (!document->isEnabled()) return;
        document->setChecked(true);
        for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i]->setChecked(!boxes[i]->isHidden() && !restricted[i]);
    };
    if (report) all(ChBReport, reportBoxes_, reportRestricted_);
    if (newsletter) all(ChBNLetter, newsletterBoxes_, newsletterRestricted_);
    if (studies) {
        ChBStudies->setChecked(true);
        for (const TStudyBox& box : studyBoxes_) box.box->setChecked(!box.box->isHidden() && !box.restricted);
    }
    EnableBoxes();
}

void TFoAdmPrn::ClearSelection() {
    for (QCheckBox* document : {ChBReport, ChBNLetter, ChBStudies}) document->setChecked(false);
    for (QCheckBox* box : reportBoxes_) box->setChecked(false);
    for (QCheckBox* box : newsletterBoxes_) box->setChecked(false);
    for (const TStudyBox& box : studyBoxes_) box.box->setChecked(false);
    EnableBoxes();
}

int TFoAdmPrn::ReportSections() const {
    int sections = 0;
    if (ChBReport->isChecked())
        for (std::size_t i = 0; i < reportBoxes_.size(); ++i)
            if (reportBoxes_[i]->isChecked()) sections |= 1 << i;
    return sections;
}

int TFoAdmPrn::NewsletterSections() const {
    int sections = 0;
    if (ChBNLetter->isChecked())
        for (std::size_t i = 0; i < newsletterBoxes_.size(); ++i)
            if (newsletterBoxes_[i]->isChecked()) sections |= 1 << i;
    return sections;
}

// Each box stands for its own study: bit s - 1 for element s of its series.
TStudySelection TFoAdmPrn::Studies() const {
    TStudySelection selection;
    if (!ChBStudies->isChecked()) return selection;
    for (const TStudyBox& box : studyBoxes_) {
        if (!box.box->isChecked()) continue;
        if (box.zoneLevel) selection.ZoneStudies |= static_cast<std::uint8_t>(1 << (box.study - 1));
        else selection.Markets[static_cast<std::size_t>(box.column - 1)] |= static_cast<std::uint16_t>(1 << (box.study - 1));
    }
    return selection;
}

void TFoAdmPrn::BBPrintItemsClick() {
    copies_->CheckText();
    const int copies = copies_->IntValue() > 0 && copies_->IntValue() != TQNEdit::kVoidInt ? copies_->IntValue() : 0;
    if (copies <= 0) {
        Ui().ShowMessageBox(TMsgDlgType::mtWarning, mbOK, "PrintMsgs", {1}, TAlignment::taCenter);
        return;
    }
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!industry) return;
    std::vector<int> firmCopies(static_cast<std::size_t>(industry->NbFirms()), 0);
    if (context_.SelFirm >= 1 && context_.SelFirm <= industry->NbFirms())
        firmCopies[static_cast<std::size_t>(context_.SelFirm - 1)] = copies;
    const auto mask = [](std::int16_t word, int count) {
        int bits = 0;
        for (int i = 1; i <= count; ++i)
            if (word & (1 << (i - 1))) bits |= 1 << (i - 1);
        return bits;
    };
    TCvDoc document(this);
    PrintTeamDocuments(document, context_, RBPrnAdm->isChecked(), firmCopies, mask(context_.HomeFta, industry->NbFtas()),
                       mask(context_.HomeMarket, industry->NbMarkets()), ReportSections(), NewsletterSections(),
                       Studies(), ChBXLOnly->isChecked() ? kFileOnlyFlags : kPrintFlags, DocumentChartsOn(*pWMF),
                       Cancelled);
    if (ChBXLOnly->isChecked()) ReportFilesWritten(document.WrittenFiles());
}

}  // namespace cv
