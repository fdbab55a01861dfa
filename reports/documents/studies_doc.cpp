// The market research studies document of the team's batch documents.
#include <algorithm>
#include <array>
#include <string>

#include "core/base/numbers.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "reports/documents/cv_doc.h"
#include "reports/documents/team_documents.h"
#include "reports/screen/result_screen.h"
#include "reports/studies/studies.h"

namespace cv {
namespace {

// A market study of the document: its bit in the selection, its key, whether
// its heading starts a new page, and its screens in order.
struct TStudyPart {
    std::uint16_t bit;
    const char* key;
    bool newPage;
    std::vector<int> screens;
};
const std::vector<TStudyPart>& StudyParts() {
    static const std::vector<TStudyPart> parts{
        {1, "ConsumerSurvey", true, {1, 2, 3}},  // on a new page only after the benchmark or market 1
        {2, "ConsumerPanel", true, {4}},
        {4, "DistributPanel", true, {5, 20}},
        {8, "SemanticScales", true, {6, 7}},
        {16, "PerceptualMap", true, {10, 11, 14}},
        {32, "MarketForecast", true, {15}},
        {64, "CompetitiveAdv", true, {16}},
        {128, "CompetitiveSlf", false, {17}},
        {256, "ExperimentAdv", true, {18}},
        {512, "ExperimentSlf", false, {19}},
    };
    return parts;
}
constexpr std::uint16_t kConjointBit = 1024;
constexpr int kConjointScreen = 23, kConjointSegmentScreen = 24;
constexpr double kConjointScale = 0.55;  // the chart's height over its width
constexpr double kMapScale = 1.0;
constexpr std::uint8_t kBenchmarkBit = 1;
constexpr int kBenchmarkScreen = 51, kBenchmarkMarketScreen = 52;
constexpr int kPerceptualMap = 2;
constexpr char kMapTextKey[] = "StuSemMapGraph";

std::string LowerCaseAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string ReplaceAll(std::string text, const std::string& token, const std::string& value) {
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + value.size()))
        text.replace(at, token.size(), value);
    return text;
}

// Whether a study is printed: available, chosen, and bought unless PrintAll.
class TStudyChoice {
public:
    TStudyChoice(TCvInd& industry, const TDataContext& context, bool printAll)
        : industry_(industry), context_(context), printAll_(printAll),
          decisions_(industry.PerDecisions(context.SelPeriod)) {}

    bool ZoneStudy(const std::string& key, bool chosen) const {
        return Printed(si::StuFta, kCategoryFta, "StuFtaParams", kCategoryFirmFta, "DecStuFta", key, chosen);
    }
    bool MarketStudy(const std::string& key, bool chosen) const {
        return Printed(si::StuMkt, kCategoryFtaMarket, "StuMktParams", kCategoryFirmFtaMarket, "DecStuMkt", key,
                       chosen);
    }

private:
    bool Printed(const TSeries* series, int paramsCategory, const char* params, int ordersCategory,
                 const char* orders, const std::string& key, bool chosen) const {
        if (!chosen || !series) return false;
        const int study = series->IndexOf(key);
        const TSimArr* available = industry_.ConstPart().FindSimArr(paramsCategory, context_, params);
        if (ArrayNumber(available, {study, si::IsStuAvailable}) == 0) return false;
        return printAll_ || ArrayNumber(decisions_.FindSimArr(ordersCategory, context_, orders), {study}) > 0;
    }

    TCvInd& industry_;
    const TDataContext& context_;
    bool printAll_;
    const TCvPerData& decisions_;
};

// The map of Kind on axes Horizontal and Vertical: a heading naming its
// axes, how to read them, and the chart's picture; nothing without data, nor
// on an axis the market lacks (a map of two axes has no third).
void AddSemanticMapGraph(TCvDoc& doc, const TDocumentCharts& charts, int kind, int horizontal, int vertical) {
    const TCvInd& industry = *Session->Industry();
    const int market = doc.DocContext.SelMarket;
    const TSeries* axes = kind == kPerceptualMap ? industry.MapSeries(market) : industry.SemSeries(market);
    if (!axes || std::max(horizontal, vertical) > axes->Count()) return;
    std::vector<std::string> lines;
    if (Translator) Translator->GetLines(kSectionStudies, kMapTextKey, lines);
    const auto line = [&lines](std::size_t n) { return n <= lines.size() ? lines[n - 1] : std::string(); };
    TDataContext& context = doc.DocContext;
    (kind == kPerceptualMap ? context.StudyChoice1 : context.StudyChoice3) = static_cast<std::int16_t>(horizontal);
    (kind == kPerceptualMap ? context.StudyChoice2 : context.StudyChoice4) = static_cast<std::int16_t>(vertical);
    const QImage picture = charts.Map ? charts.Map(context, kind) : QImage();
    if (picture.isNull()) return;
    const auto label = [&](int axis) {
        return kind == kPerceptualMap ? industry.MapLabel(context.SelMarket, axis)
                                      : industry.SemLabel(context.SelMarket, axis);
    };
    const std::string h = label(horizontal), v = label(vertical);
    doc.AddTextBlock({line(kind == kPerceptualMap ? 1 : 2),
                      ReplaceAll(ReplaceAll(line(3), "@AXIS1", UpperCaseAccented(h)), "@AXIS2", UpperCaseAccented(v))},
                     true);
    doc.AddTextLine({line(4), h, ReplaceAll(line(5), "@axis", LowerCaseAscii(h))}, 3, false);
    doc.AddTextLine({line(6), v, ReplaceAll(line(7), "@axis", LowerCaseAscii(v))}, 3, false);
    doc.AddImage(picture, kMapScale);
}

// The conjoint study: its screen, then each segment's utilities and chart,
// a segment to a page.
void AddConjoint(TCvDoc& doc, const TDocumentCharts& charts) {
    auto first = doc.DocScreen<TStuMkt>(kConjointScreen);
    first->Build(doc.DocContext);
    if (first->IsEmpty()) return;
    doc.AddStuMktTitle("Conjoint", true);
    doc.AddScreenOnce(std::move(first));
    const TSeries* segments = Session->Industry()->SegSeries(doc.DocContext.SelFta, doc.DocContext.SelMarket);
    if (!segments) return;
    for (int s = segments->Lo(); s <= segments->Hi(); ++s) {
        if (s > segments->Lo()) doc.AddPageBreak(doc.CurrentRow());
        doc.DocContext.SelSegment = static_cast<std::int16_t>(s);
        doc.AddScreenOnce(doc.DocScreen<TStuMkt>(kConjointSegmentScreen));
        const QImage picture = charts.Conjoint ? charts.Conjoint(doc.DocContext) : QImage();
        if (!picture.isNull()) doc.AddImage(picture, kConjointScale);
    }
}

void AddMarketStudies(TCvDoc& doc, const TStudyChoice& choice, std::uint16_t mask, bool newPageFirst,
                      const TDocumentCharts& charts) {
    for (const TStudyPart& part : StudyParts()) {
        if (!choice.MarketStudy(part.key, (mask & part.bit) != 0)) continue;
        doc.AddStuMktTitle(part.key, part.bit == 1 ? newPageFirst : part.newPage);
        for (int screen : part.screens) doc.AddScreenOnce(doc.DocScreen<TStuMkt>(screen));
        if (part.bit == 16) {
            AddSemanticMapGraph(doc, charts, kPerceptualMap, 1, 2);
            AddSemanticMapGraph(doc, charts, kPerceptualMap, 1, 3);
        }
    }
    if (choice.MarketStudy("Conjoint", (mask & kConjointBit) != 0)) AddConjoint(doc, charts);
}

}  // namespace

bool BuildStudiesReport(TCvDoc& doc, const TDataContext& context, bool printAll, int zoneMask,
                        const TStudySelection& studies, const TDocumentCharts& charts, int outputFlags, int copies) {
    if (studies.Empty()) return true;
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!industry) return false;
    doc.OpenDocument(TDocKind::Studies, context);
    const TStudyChoice choice(*industry, doc.DocContext, printAll);
    doc.ForEachZone([&](int zone) {
        if (!(zoneMask & (1 << (zone - 1)))) return;
        const bool benchmark = choice.ZoneStudy("Benchmark", (studies.ZoneStudies & kBenchmarkBit) != 0);
        if (benchmark) {
            doc.AddStuFtaTitle("Benchmark", true);
            doc.AddScreenOnce(doc.DocScreen<TStuFta>(kBenchmarkScreen));
            doc.ForEachMarket([&](int) { doc.AddScreenOnce(doc.DocScreen<TStuFta>(kBenchmarkMarketScreen)); });
        }
        doc.ForEachMarket([&](int market) {
            const std::uint16_t mask = market <= 3 ? studies.Markets[static_cast<std::size_t>(market - 1)] : 0;
            if (mask != 0) AddMarketStudies(doc, choice, mask, benchmark || market > 1, charts);
        });
    });
    return doc.CloseDocument(TDocKind::Studies, outputFlags, copies);
}

}  // namespace cv
