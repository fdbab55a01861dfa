#pragma once
// TResult and TRnDScr: the two levels every result screen shares. A result
// screen is a report screen (TCVScreen) that the results page, the company
// report or a decision dialog creates with a kind of its own; these levels
// give it the reads of the period's named arrays and the steps that open and
// close every build.

#include <string>
#include <string_view>

#include "core/store/typed_array.h"
#include "ui/report/cv_screen.h"

namespace cv {

class TCvInd;

class TResult : public TCVScreen {
protected:
    using TCVScreen::TCVScreen;

    // The open industry, or nullptr.
    static TCvInd* Industry();
    // The array Name of the screen's results or decision set, in the cell that
    // Category selects for the screen's context; nullptr (nothing reported)
    // when there is no such set or array, so a screen shows what it has.
    const TSimArr* ResultsArray(int category, std::string_view name) const;
    const TSimArr* DecisionsArray(int category, std::string_view name) const;
    // The array Name of the results set that the screen cannot do without
    // (an array of links that index others): EDataError naming it and its
    // cell when it is missing.
    const TSimArr& RequiredResultsArray(int category, std::string_view name) const;
    // A small-integer scalar of the results or decision set; 0 when missing.
    int ResultsCount(int category, std::string_view name) const;
    int DecisionsCount(int category, std::string_view name) const;

    // Runs Body(market) for each market of the industry with the context's
    // market set to it, then sets the shown market back.
    template <typename Body>
    void ForEachMarket(Body&& body) {
        const std::int16_t shownMarket = context_.SelMarket;
        for (int market = 1; market <= MarketCount(); ++market) {
            context_.SelMarket = static_cast<std::int16_t>(market);
            body(market);
        }
        context_.SelMarket = shownMarket;
    }
    // The number of markets of the open industry (0 without one).
    static int MarketCount();
    // Row's cells from FirstColumn to LastColumn (-1: the sheet's last) in bold.
    // The units column UnitsColumn and the firm's total beside it lie among
    // the heading columns: both read right-aligned, as the markets' figures,
    // and a line at the units' right runs from FirstRow to LastRow.
    void SetUnitsAndTotalColumns(int unitsColumn, int firstRow, int lastRow);
    // The cells from (FirstRow, FirstColumn) to (LastRow, LastColumn), -1 for
    // every row, read right-aligned and vertically centred, as figures read.
    void AlignFiguresRight(int firstRow, int firstColumn, int lastRow, int lastColumn);
    void SetBold(int row, int firstColumn = -1, int lastColumn = -1);
    // The plain box a caller's wrong screen kind gets: Text then the kind.
    static void ReportUnknownKind(const std::string& text, int kind);
};

// Element Index of Array as a number, whatever its numeric kind; 0 when the
// array is missing.
double ArrayNumber(const TSimArr* array, const TIndex& index);
// Element Index of a text array; empty when the array is missing.
std::string ArrayText(const TSimArr* array, const TIndex& index);

class TRnDScr : public TResult {
protected:
    using TResult::TResult;
};

}  // namespace cv
