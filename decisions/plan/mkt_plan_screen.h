#pragma once
// TMktPlanScr: one editable screen of the marketing plan, for the firm, zone
// and market of its context. Last period's figures stand beside the plan for
// the decision period; the team types plan values into the open cells, and
// each time the selection leaves a cell the screen checks it (a bad value is
// corrected with a beep) and keeps the figures that follow from it in step.
// Storing writes the plan cells the team typed into or changed back into the
// plan arrays of the decision period: on a rebuild, when the dialog leaves the
// tab, and when the screen is freed. Kinds: 1 segment sizes, 2 brand sales by
// segment in percent of the segment, 3 the same in units, 4 each brand's split
// over the channels.
//
// The screen keeps no pointer to a data set: it fetches each set by period
// when it reads or writes, so a forecast that makes the results anew never
// leaves it holding a freed set.

#include <array>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "decisions/plan/plan_cell_checks.h"
#include "ui/report/cv_screen.h"

namespace cv {

class TCvInd;
class TCvPerData;
class TSeries;
class TSimArr;

enum class TPlanScreenKind : int { SegmentSizes = 1, BrandShares = 2, BrandSales = 3, ChannelSales = 4 };

class TMktPlanScr : public TCVScreen {
public:
    // UnitMode (1 percent, 2 units) is kept for kinds 1 and 4; kinds 2 and 3 set their own.
    TMktPlanScr(QWidget* owner, const TDataContext& context, int kind, int unitMode, const TScreenLayout& layout);
    // Stores the plan cells.
    ~TMktPlanScr() override;

    // Stores what the screen shows for its old context, then builds it for Context.
    void Build(const TDataContext& context) override;
    // Checks the current cell, then writes the changed plan cells into the plan arrays.
    void StoreScreen();

    // The accept checks of kinds 1, 2-3 and 4: false after the message box.
    bool AcceptSegmentSizes();
    bool AcceptBrandShares() { return true; }
    bool AcceptChannelSales();

    // The dialog's three buttons.
    void BBSameLastPerClick();
    void BBSameMktForeCastClick();
    void BBBrdSalesEstimClick();

    // The sheet's selection moved: held within the open cells, and the cell
    // left is checked.
    void SelChange();

    TPlanScreenKind Kind() const { return kind_; }
    TShareUnit UnitMode() const { return unitMode_; }
    int CurRow() const { return curRow_; }
    int CurCol() const { return curCol_; }
    // The sheet cell of a screen column (from 1) in a row of the sheet.
    int Column(int column) const;
    // The first row of the table below the caption lines.
    int FirstRow() const;
    int NbMktedBrds() const { return nbMktedBrds_; }
    double SegSalesPlan(int segment) const { return segSalesPlan_[static_cast<std::size_t>(segment)]; }

    // The system beep by default; tests count it.
    std::function<void()> OnBeep;

private:
    // The open cells: rows and columns of the sheet.
    struct TInputBlock {
        int row1 = 0, column1 = 0, row2 = 0, column2 = 0;
    };

    // Sets, fetched by period at each use.
    TCvInd& Industry() const;
    TCvPerData& NewDecs() const;
    TCvPerData& CurDecs() const;
    TCvPerData& ScreenResults() const;
    TCvPerData& CurResults() const;
    // A plan array of the decision period, made (all 0) when the cell has none yet.
    TSimArr& PlanArray(std::string_view name, bool perBrand, const TSeries* columns) const;
    TSimArr& SegmentPlan() const { return PlanArray("MPSegSales", false, segments_); }
    TSimArr& BrandSegmentPlan() const { return PlanArray("MPBrdSegSales", true, segments_); }
    TSimArr& ChannelPlan() const { return PlanArray("MPBrdChaSales", true, channels_); }
    const TSimArr* ResultsArray(std::string_view name) const;
    std::string BrandName(int brand) const;
    // The brand's index in "BrdNames" of the screen's results; 0 for a new brand.
    int LastPeriodIndex(const std::string& name) const;
    // Last period's unit sales in Segment over all channels, of market brand K
    // or, K 0, of every brand; and of brand K in Channel over all segments.
    double LastSegmentSales(int k, int segment) const;
    double LastChannelSales(int k, int channel) const;

    // Text with its first Token replaced by Value.
    static std::string Replaced(std::string text, std::string_view token, const std::string& value);
    void ReadPlan();
    void Beep() const;
    void StartTable(const std::string& key, int titleLine, int noteLine);
    // Opens a block of cells to typing.
    void Unlock(int row1, int column1, int row2, int column2);
    // Turns the protection on, keeps the selection within Block and selects
    // the first cell; the open cells' figures are kept as built.
    void OpenInput(const TInputBlock& block, int firstRow, int firstColumn);
    // Whether the open cell was typed into or holds another figure than the
    // build wrote: only such a cell is stored, so that a figure the team only
    // looked at goes back to its array as it was, not as the thousands or the
    // share shown turned back into units one rounding step away.
    bool Changed(int row, int column) const;
    void SetEditingOptions();
    void BuildNoBrands();
    void CheckCurrentCell();
    // Puts the selection on (Row, Column) and checks that cell.
    void CheckCellAt(int row, int column);
    void FinishCheck();
    // Paints the sheet again after a button filled it, and stores every open
    // cell as typed.
    void TakeFilledCells();
    void ShowRefusal(const char* key) const;

    void BuildSegmentSizes();
    void WriteSegmentRow(int segment, int row);
    void CheckSegmentCell();
    void StoreSegmentSizes();
    void SameLastPeriodSizes();

    void BuildBrandShares();
    void WriteBrandRows(int brand, const std::array<double, 6>& lastSegments);
    void CheckShareCell();
    void WriteShareTotal(int planRow);
    void StoreBrandShares();
    void SameLastPeriodShares();

    void BuildChannelSales();
    void WriteChannelColumn(int brand);
    void CheckChannelCell();
    void StoreChannelSales();
    void SameLastPeriodChannels();
    // Writes a brand's channel shares (percent) into its column.
    void FillChannelColumn(int brand, const std::vector<double>& shares);

    TPlanScreenKind kind_;
    TShareUnit unitMode_;
    const TSeries* segments_ = nullptr;
    const TSeries* channels_ = nullptr;
    int nbSegments_ = 0;
    int nbChannels_ = 0;
    std::array<double, 6> segSalesPlan_{};
    int nbMktedBrds_ = 0;
    // Row kinds of the brand-share screens from the first row: 1 plan, 2 change, 0 other.
    std::vector<int> rowKinds_;
    TInputBlock input_;
    // The open cells' figures as built, by row and column; a cell typed into leaves it.
    std::map<std::pair<int, int>, double> built_;
    int curRow_ = 0;
    int curCol_ = 0;
    int listener_ = 0;
    bool checking_ = false;
};

}  // namespace cv
