#pragma once
// TFoBFolio: the brand portfolio of the firm in the page's zone and market for
// the coming period. The brands it keeps, modifies (bases on another completed
// prototype) or introduces are listed in one grid, the brands it withdraws in
// the other; a brand's status follows from comparing the decided portfolio
// with the current one. Nothing reaches the decisions before OK or a change
// of the market on the lent selector bar; then the portfolio is written in the
// grid's order, each brand taking its decision rows (its mix, segment strategy,
// sales force and marketing plan) along to its new row.

#include <QLabel>
#include <QPushButton>
#include <memory>
#include <string>

#include "core/store/typed_array.h"
#include "decisions/checks/portfolio_rules.h"
#include "decisions/dialogs/brand_decision_dialog.h"
#include "decisions/portfolio/portfolio_grid.h"

namespace cv {

class TFoBFolio : public TFoBrdDec {
    Q_OBJECT

public:
    TFoBFolio(QWidget* owner, TDataContext& callerContext);

    // Binds the arrays of the caller's zone and market and fills the grids.
    void LoadDecisions() override;
    // Writes the portfolio and its brands' decision rows (always accepted).
    bool StoreDecisions() override;
    void SaveDecisions();

    // The handlers of the buttons and of a choice in either grid.
    void BBIntroClick();
    void BBModifClick();
    void BBWithDrawClick();
    void BBUndoClick();
    void BrdSelectCell(const std::string& name);

    const std::string& SelBrand() const { return SelBrand_; }
    // Name's status as the grids show it; None for a name in neither.
    TBrandStatus StatusOf(const std::string& name) const;

private:
    void BuildControls();
    void FillGrids();
    void UpdateButtons();
    // Opens the naming dialog for a new brand (Brand empty) or for Brand; on
    // OK, Brand and Project are what it chose.
    bool NameBrand(std::string& brand, std::string& project);
    void Select(TPortfolioGrid& grid, const std::string& name);

    TCvPerData* ProResults = nullptr;
    int NbPros = 0;
    std::string SelBrand_;
    std::string TxtWithdrawn, TxtModified, TxtKept, TxtNew;
    // The decided portfolio as it was loaded: a brand found there takes its own rows along.
    std::unique_ptr<TSimArr> PortLoaded;

    TPortfolioGrid* SGMktBrd = nullptr;
    TPortfolioGrid* SGDelBrd = nullptr;
    QLabel* LBrand = nullptr;
    QLabel* LStatus = nullptr;
    QLabel* LProject = nullptr;
    QLabel* LWithdrawnBrd = nullptr;
    QPushButton* BBIntro = nullptr;
    QPushButton* BBModif = nullptr;
    QPushButton* BBWithDraw = nullptr;
    QPushButton* BBUndo = nullptr;
    QPushButton* BBOk = nullptr;
    QPushButton* BBCancel = nullptr;
};

}  // namespace cv
