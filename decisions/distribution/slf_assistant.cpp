#include "decisions/distribution/slf_assistant.h"

#include "decisions/allocation/share_rounding.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/open_industry.h"
#include "ui/cp1252.h"
#include "ui/reading_order.h"
#include "ui/report/qn_table.h"
#include "ui/sheet/table_styles.h"

namespace cv {

namespace {

constexpr char kRulesKey[] = "RBAutoMode";
constexpr char kTableTextsKey[] = "DistribDecs";
constexpr int kTitleLine = 1;
constexpr int kHeadingLines[] = {2, 3};
constexpr int kTotalLine = 4;
constexpr int kBrandColumnWidth = 10;
constexpr int kChannelColumnWidth = 13;
constexpr int kFrameGap = 20;
constexpr int kLentTop = 28;
constexpr int kTableZoom = 100;
constexpr int kBodyArea = 1 << kBodyBody;

std::string Line(int section, const char* key, int line) {
    std::string text;
    if (Translator && Translator->IsOpen()) Translator->GetLine(section, key, line, text);
    return text;
}

}  // namespace

TFoSlfAuto::TFoSlfAuto(QWidget* owner, int channels, int brands, const TDataContext& context)
    : TQNForm(owner), context_(context), channels_(channels), brands_(brands) {
    KeepReadingOrder(*this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setObjectName(QStringLiteral("FoSlfAuto"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kFrameGap, kLentTop, kFrameGap, kFrameGap);
    layout->setSpacing(kFrameGap);
    auto* frame = new QHBoxLayout;
    frame->setSpacing(kFrameGap);
    RGAutoMode_ = new QGroupBox(this);
    RGAutoMode_->setObjectName(QStringLiteral("RGAutoMode"));
    auto* rules = new QVBoxLayout(RGAutoMode_);
    // The rules that weigh need the distribution panel: while the teams may
    // not order it, only equal shares are offered.
    const TCvInd& industry = SessionIndustry("TFoSlfAuto.Create");
    const bool panelRestricted =
        industry.RestrictHidden("StuMkt", "DistributPanel") || industry.RestrictEnabled("StuMkt", "DistributPanel");
    const int offered = panelRestricted ? 1 : kSlfRuleCount;
    for (int rule = 0; rule < offered; ++rule) {
        auto* button = new QRadioButton(Cp1252ToQString(Line(kSectionControls, kRulesKey, rule + 1)), RGAutoMode_);
        button->setObjectName(QStringLiteral("RBAutoMode%1").arg(rule + 1));
        rules_.addButton(button, rule);
        rules->addWidget(button);
    }
    rules->addStretch(1);
    connect(&rules_, &QButtonGroup::idClicked, this, [this](int rule) { RGAutoModeClick(static_cast<TSlfRule>(rule)); });
    frame->addWidget(RGAutoMode_);
    auto* tableHost = new QWidget(this);
    tableHost->setObjectName(QStringLiteral("SlfAutoTable"));
    frame->addWidget(tableHost, 1);
    layout->addLayout(frame, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const char* name : {"BBOk", "BBCancel"}) {
        auto* button = new QPushButton(this);
        button->setObjectName(QString::fromLatin1(name));
        // Enter presses OK, or the button that has the focus.
        button->setDefault(name[2] == 'O');
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, name[2] == 'O' ? &QDialog::accept : &QDialog::reject);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    table_ = std::make_unique<TQNTable>(tableHost, TTableType::FilledHeadings, "SlfAuto",
                                        TTablePlacement{kPlaceCentreX | kPlaceTop, 0, 0}, kTableZoom);
    table_->FormatArea({Line(kSectionDecs, kTableTextsKey, kHeadingLines[0]),
                        Line(kSectionDecs, kTableTextsKey, kHeadingLines[1])},
                       {}, -1, -1, -1, -1);
    table_->DefineTable({.titleRows = 1, .bodyRows = kBodyRows, .totalRows = 1, .headingCols = 1, .bodyCols = channels_});
    TranslateForm();
    QApplication::restoreOverrideCursor();
}

TFoSlfAuto::~TFoSlfAuto() = default;

void TFoSlfAuto::Fill(const std::vector<std::string>& channelLabels, const std::vector<std::string>& brands,
                      const std::vector<std::vector<int>>& efforts) {
    TQNTable& table = *table_;
    const int title = table.OriginRow();
    const int column = table.OriginCol();
    table.SetCellText(title, column, Line(kSectionDecs, kTableTextsKey, kTitleLine));
    table.SetCellText(title + kBodyRows + 1, column, Line(kSectionDecs, kTableTextsKey, kTotalLine));
    std::vector<int> columns{column};
    std::vector<int> widths{kBrandColumnWidth};
    for (int c = 1; c <= channels_; ++c) {
        columns.push_back(column + c);
        widths.push_back(kChannelColumnWidth);
        if (c <= static_cast<int>(channelLabels.size()))
            table.SetCellText(title, column + c, channelLabels[static_cast<std::size_t>(c - 1)]);
        table.SetCellNumber(title + kBodyRows + 1, column + c, kFullChannel);
    }
    table.SetColumnWidths(columns, widths);
    for (int row = 1; row <= brands_ && row <= static_cast<int>(brands.size()); ++row) {
        table.SetCellText(title + row, column, brands[static_cast<std::size_t>(row - 1)]);
        for (int c = 1; c <= channels_; ++c)
            table.SetCellNumber(title + row, column + c, efforts[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(c - 1)]);
    }
    Arrange();
}

// The table's host takes the table and its caption lines, which may be the
// wider; the table is then centred under them.
void TFoSlfAuto::Arrange() {
    // A table fits its owner: the host first offers the whole screen, so that
    // the table shows every row, then takes the table's size, with the pixels
    // by which the table measures its cells larger than its sheet draws them
    // (the rounding of each row's height adds up).
    QWidget* host = findChild<QWidget*>(QStringLiteral("SlfAutoTable"));
    host->resize(screen()->availableSize());
    table_->Show();
    const QRect shown = host->childrenRect();
    const TQNSheet& sheet = table_->Sheet();
    const TTableGeometry& g = sheet.Geometry();
    const QSize measured =
        sheet.BlockSize(g.originRow, g.originCol, g.RowStart(2) + g.totalRows - 1, g.ColumnStart(2) + g.totalCols - 1);
    host->setFixedSize(shown.width() + std::max(0, measured.width() - sheet.width()),
                       shown.bottom() + 1 + std::max(0, measured.height() - sheet.height()));
    table_->Refresh();
    RGAutoMode_->setMinimumHeight(host->height());
    adjustSize();
}

void TFoSlfAuto::RGAutoModeClick(TSlfRule rule) {
    table_->ClearAreas(kBodyArea);
    if (!ComputeAllocation(rule))
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, "NoDistPanel", {0}, TAlignment::taCenter);
    table_->Refresh();
}

bool TFoSlfAuto::ComputeAllocation(TSlfRule rule) {
    TCvInd& industry = SessionIndustry("TFoSlfAuto.ComputeAllocation");
    const int title = table_->OriginRow();
    const int column = table_->OriginCol();
    std::vector<std::string> brands;
    for (int row = 1; row <= brands_; ++row) brands.push_back(table_->CellText(title + row, column));
    const TSeries* channels = industry.ChaSeries(context_.SelFta);
    for (int c = 1; c <= channels_; ++c) {
        const std::optional<std::vector<int>> shares =
            ProposeChannelShares(industry, context_, rule, brands, channels->Lo() + c - 1);
        if (!shares) return false;
        for (int row = 1; row <= brands_; ++row)
            table_->SetCellNumber(title + row, column + c, (*shares)[static_cast<std::size_t>(row - 1)]);
    }
    return true;
}

std::optional<int> TFoSlfAuto::Proposed(int row, int channel) const {
    const int cellRow = table_->OriginRow() + row;
    const int cellColumn = table_->OriginCol() + channel;
    if (table_->CellText(cellRow, cellColumn).empty()) return std::nullopt;
    return static_cast<int>(table_->CellNumber(cellRow, cellColumn));
}

}  // namespace cv
