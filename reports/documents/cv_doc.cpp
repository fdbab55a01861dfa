#include "reports/documents/cv_doc.h"

#include <QImage>
#include <QPainter>

#include "core/base/file_routines.h"
#include "core/base/log_file.h"
#include "core/base/numbers.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "ui/picture/metafile.h"

namespace cv {
namespace {

constexpr char kSettingsSection[] = "Documents";
constexpr int kConfiguredLines = 5;
constexpr char kHeadersKey[] = "Headers";
constexpr char kFootersKey[] = "Footers";
constexpr char kSectionsKey[] = "Sections";
constexpr char kCoverKey[] = "CoverPages";
constexpr char kMiscKey[] = "MISC";
constexpr int kStudyTitleLine = 5;
constexpr char kCustomMessageName[] = "CustMsg";
constexpr int kCustomMessageLines = 5;
constexpr char kMainWindowKey[] = "FoCv3Main";
// The cover text row that takes the plain 12-point font.
constexpr int kCoverPlainRow = 11;
constexpr double kCoverPlainSize = 12;
constexpr int kLogoWidth = 1200;

// The configured lines Key1..Key5 of the settings, empty ones included; none
// without the section.
std::vector<std::string> ConfiguredLines(const std::string& key) {
    if (!Session || Session->Settings().ReadSection(kSettingsSection).empty()) return {};
    std::vector<std::string> lines;
    for (int line = 1; line <= kConfiguredLines; ++line)
        lines.push_back(Session->Settings().ReadString(kSettingsSection, key + std::to_string(line), ""));
    return lines;
}

// The picture drawn at its own proportions, 1200 pixels wide; a null image
// when the file cannot be read (logged: a document goes on without its logo).
QImage LogoImage(const std::string& path) {
    try {
        const TMetafile picture = LoadPlaceableMetafile(QString::fromStdString(path));
        QSize extent(kLogoWidth, kLogoWidth);
        for (const TWmfRecord& record : picture.Records)
            if (record.Op == TWmfOp::SetWindowExt && record.Args[0] > 0 && record.Args[1] > 0)
                extent = QSize(record.Args[0], record.Args[1]);
        QImage image(kLogoWidth, kLogoWidth * extent.height() / extent.width(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PlayMetafileScaled(painter, picture, image.width(), image.height());
        return image;
    } catch (const EPictureFileError& error) {
        LogFmt(0, "TCvDoc: no logo %s (%s)", {path, error.what()});
        return {};
    }
}

std::string TranslatedLine(int section, const std::string& key, int lineNo) {
    return Translator ? Translator->GetLine(section, key, lineNo) : std::string();
}

}  // namespace

TCvDoc::TCvDoc(QWidget* owner)
    : TXlDoc(owner, kDocRowsPerPage, kDocPageColumns, false), owner_(owner),
      headerLines_(ConfiguredLines("HeaderLine")), footerLines_(ConfiguredLines("FooterLine")) {
    HeaderFooterLines() = headerLines_;
    HeaderFooterLines().insert(HeaderFooterLines().end(), footerLines_.begin(), footerLines_.end());
}

int TCvDoc::ZoneCount() { return Session && Session->Industry() ? Session->Industry()->NbFtas() : 0; }

int TCvDoc::MarketCount() { return Session && Session->Industry() ? Session->Industry()->NbMarkets() : 0; }

std::string TCvDoc::GetDocText(int section, const std::string& key, int lineNo) const {
    if (lineNo < 1) return " ";
    const std::string line = TranslatedLine(section, key, lineNo);
    return Session ? Session->ExpandTokens(line, DocContext) : line;
}

void TCvDoc::AddDocHeaders(int left, int centre, int right) {
    const auto part = [this](int lineNo) {
        return lineNo != 0 ? GetDocText(kSectionGlobals, kHeadersKey, lineNo) : std::string();
    };
    SetHeader(part(left), part(centre), part(right));
}

void TCvDoc::AddDocFooters(int left, int centre, int right) {
    const auto part = [this](int lineNo) {
        return lineNo != 0 ? GetDocText(kSectionGlobals, kFootersKey, lineNo) : std::string();
    };
    std::string centreText;
    if (centre != 0)
        centreText = TranslatedLine(kSectionControls, kMainWindowKey, 1) + " " +
                     GetFileVersionString(RunningExecutableFileName(), true) + " - " + part(centre);
    SetFooter(part(left), centreText, part(right));
}

void TCvDoc::AddSectionTitle(int lineNo, bool newPage) {
    AddTextBlock({GetDocText(kSectionGlobals, kSectionsKey, lineNo)}, newPage);
}

void TCvDoc::AddStuMktTitle(const std::string& key, bool newPage) {
    const TCvInd* industry = Session ? Session->Industry() : nullptr;
    const int element = si::StuMkt ? si::StuMkt->IndexOf(key) : 0;
    const std::string label = industry ? UpperCaseAccented(industry->StuMktLabel(element)) : key;
    AddTextBlock({label + " - " + GetDocText(kSectionGlobals, kMiscKey, kStudyTitleLine)}, newPage);
}

void TCvDoc::AddStuFtaTitle(const std::string& key, bool newPage) {
    const TCvInd* industry = Session ? Session->Industry() : nullptr;
    const int element = si::StuFta ? si::StuFta->IndexOf(key) : 0;
    AddTextBlock({industry ? UpperCaseAccented(industry->StuFtaLabel(element)) : key}, newPage);
}

void TCvDoc::AddCoverPage(const std::array<int, 5>& coverLines, const std::string& logoPath) {
    std::vector<std::string> texts;
    for (int lineNo : coverLines) texts.push_back(GetDocText(kSectionGlobals, kCoverKey, lineNo));
    std::vector<std::string> message;
    if (TCvInd* industry = Session ? Session->Industry() : nullptr) {
        const TSimArr* lines = industry->ConstPart().FindSimArr(kCategoryIndustry, DocContext, kCustomMessageName);
        for (int line = 1; lines && line <= kCustomMessageLines; ++line) {
            const bool inBounds = lines->NDim() == 1 && line >= lines->LB(1) && line <= lines->UB(1);
            message.push_back(inBounds ? lines->GetZts(TIndex(line)) : std::string());
        }
    }
    SetLogo(logoPath.empty() ? QImage() : LogoImage(logoPath));
    AddCoverBlock(texts, message);
    Sheet().FormatRange(kCoverPlainRow, 1, kCoverPlainRow, PageColumns(), [](TCellFormat& format) {
        format.font.name = "Arial";
        format.font.size = kCoverPlainSize;
    });
}

bool TCvDoc::AddBuiltScreen(const TCVScreen& screen) {
    if (screen.IsEmpty() || !screen.Table()) return false;
    AppendSheet(screen.Table()->Sheet().Model());
    return true;
}

bool TCvDoc::AddScreenOnce(std::unique_ptr<TCVScreen> screen) {
    screen->Build(DocContext);
    return AddBuiltScreen(*screen);
}

void TCvDoc::AddScreenPerMarket(std::unique_ptr<TCVScreen> screen) {
    ForEachMarket([&](int) {
        screen->Build(DocContext);
        AddBuiltScreen(*screen);
    });
}

void TCvDoc::OpenDocument(TDocKind kind, const TDataContext& context) {
    const TDocKindSettings& settings = DocKindSettings(kind);
    DocContext = context;
    DocContext.CurPeriod = static_cast<std::int16_t>(context.SelPeriod + settings.currentPeriodAhead);
    DocContext.DecPeriod = static_cast<std::int16_t>(context.SelPeriod + settings.decisionPeriodAhead);
    Reset();
    AddDocHeaders(settings.headers[0], settings.headers[1], settings.headers[2]);
    AddDocFooters(1, 2, 3);
    AddCoverPage(settings.cover, Session ? Session->MediaDir() + settings.logo : std::string(settings.logo));
}

bool TCvDoc::CloseDocument(TDocKind kind, int outputFlags, int copies) {
    return PrintOrSave(DocFileName(*this, DocKindSettings(kind).letter, DocContext.SelPeriod, DocContext.SelFirm),
                       outputFlags, copies);
}

std::string DocFileName(const TCvDoc& doc, char letter, int period, int firmSwitch) {
    std::string path;
    if (Session) {
        const std::string& fileName = Session->IndFileName();
        path = Session->PrivateDir() + fileName.substr(0, fileName.find('.'));
    }
    path += letter;
    if (firmSwitch > 0 && Session && Session->Industry())
        path += Session->Industry()->FirmLabel(doc.DocContext.SelFirm).substr(0, 1);
    path += std::to_string(period + 100).substr(1, 2);
    return path + ".xlsx";
}

}  // namespace cv
