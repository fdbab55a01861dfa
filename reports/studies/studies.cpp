// The study-screen base: the status of a study, the "StuInfos" explanation
// that replaces a screen which may not be shown, and the table helpers every
// builder shares.
#include "reports/studies/studies.h"

#include "core/base/numbers.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/typed_array.h"
#include "ui/sheet/cell_format.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

constexpr int kInfosColumns = 10;
constexpr int kSmallScreenInfosWidth = 11;
constexpr int kSmallScreenClass = 1;
constexpr double kSpreadCharacters = 100;

}  // namespace

TStudies::TStudies(QWidget* owner, const TDataContext& context, int screen, const TScreenLayout& layout)
    : TResult(owner, context, layout), screen_(screen) {}

int TStudies::GetStatus() const {
    if (!IsAllowed()) return ssNotAllowed;
    if (NotApplicable()) return ssNotApplicable;
    // The administrator sees every study, bought or not.
    if (!IsOrdered() && !(Session && Session->AdminView())) return ssNotBought;
    return ssShown;
}

bool TStudies::Restricted(const std::string& category) const {
    return Session && (Session->IsRestrictEnabled(category, studyKey_) || Session->IsRestrictHidden(category, studyKey_));
}

bool TStudies::Bought(int category, const char* name) const {
    return Value(DecisionsArray(category, name), {studyIndex_}) == 1;
}

void TStudies::WriteNotShown(int status, bool marketLevel) {
    const int brands = ResultsCount(kCategoryFtaMarket, "NbMktedBrds");
    LoadLines(kSectionStudies, "StuInfos");
    const TTableType type = IsDocument() ? TTableType::Document
                            : table_      ? static_cast<TTableType>(table_->Sheet().TableType())
                                          : TTableType::FilledHeadings;
    table_.reset();
    table_ = std::make_unique<TQNTable>(owner_, type, "StuInfos", Layout().placement, kDerivedZoom);
    const TCvInd* industry = Industry();
    const std::string label =
        industry ? (marketLevel ? industry->StuMktLabel(studyIndex_) : industry->StuFtaLabel(studyIndex_)) : "";
    table_->FormatArea({UpperCaseAccented(label)}, {}, 0, 0, 0, -1);
    Define({.titleRows = 1, .bodyRows = 1, .headingCols = kInfosColumns});
    int line = 3;
    if (status == ssNotAllowed) line = 1;
    if (status == ssNotApplicable) line = brands == 0 ? 2 : 4;
    table_->SetTextAcross(BodyRow(1), 1, kInfosColumns, GetLine(line));
    Emphasise(BodyRow(1));
    if (ScreenClass() == kSmallScreenClass) table_->SetColumnWidthRange(1, kInfosColumns, kSmallScreenInfosWidth);
    table_->Sheet().SetColumnWidths(1, kInfosColumns, kSpreadCharacters);
    empty_ = true;
}

void TStudies::Define(const TTableShape& shape) {
    shape_ = shape;
    table_->DefineTable(shape);
}

int TStudies::TitleRow() const { return table_->OriginRow(); }

int TStudies::BodyRow(int n) const { return table_->Sheet().Geometry().RowStart(1) + n - 1; }

int TStudies::FooterRow(int n) const { return table_->Sheet().Geometry().RowStart(2) + n - 1; }

int TStudies::LastColumn() const { return shape_.headingCols + shape_.bodyCols + shape_.totalCols; }

int TStudies::LastRow() const {
    const TTableGeometry& g = table_->Sheet().Geometry();
    return g.RowStart(2) + g.totalRows - 1;
}

void TStudies::FinishTable(std::optional<TNumberFormat> format, int firstBodyRow, int lastBodyRow) {
    TQNTable& table = *table_;
    const int last = LastColumn();
    if (shape_.headingCols > 0)
        table.SetRangeAlign(TitleRow(), 1, LastRow(), shape_.headingCols, kAlignLeft, kAlignMiddle, false);
    if (last > shape_.headingCols)
        table.SetRangeAlign(TitleRow(), shape_.headingCols + 1, LastRow(), last, kAlignRight, kAlignMiddle, false);
    if (format && lastBodyRow >= firstBodyRow)
        table.SetRangeFormat(BodyRow(firstBodyRow), 1, BodyRow(lastBodyRow), last, *format);
    table.Sheet().SetColumnWidths(1, last, kSpreadCharacters);
}

double TStudies::Value(const TSimArr* array, const TIndex& index) {
    if (!array || index.Count() < array->NDim()) return 0;
    for (int d = 1; d <= array->NDim(); ++d)
        if (index[d - 1] < array->LB(d) || index[d - 1] > array->UB(d)) return 0;
    return ArrayNumber(array, index);
}

double TStudies::ConstantReal(int category, const char* name, double defaultValue) const {
    const TCvInd* industry = Industry();
    if (!industry) return defaultValue;
    return static_cast<double>(industry->ConstPart().GetRealDef(category, context_, name, defaultValue));
}

}  // namespace cv
