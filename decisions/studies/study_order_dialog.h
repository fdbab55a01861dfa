#pragma once
// TFoStudies: the dialog in which the firm orders market studies for the
// coming period in one zone: a row per study (the zone's own studies first,
// then the market studies) with its cost, and a box for the zone or one per
// market where the study can be ordered. Costs are the listed prices raised
// by the zone's cumulated inflation of salaries, in thousands. OK writes the
// orders and marks the study decisions as taken, for the zone the dialog
// shows; a change of zone on the selector bar stores them for the zone left
// before it loads the new one's.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <vector>

#include "decisions/dialogs/decision_dialog.h"

class QGridLayout;

namespace cv {

class TQNEdit;
class TSimArr;

class TFoStudies : public TFoCv3Dec {
    Q_OBJECT

public:
    static constexpr int kMaxRows = 16;
    static constexpr int kMaxMarkets = 3;

    TFoStudies(QWidget* owner, TDataContext& callerContext);
    ~TFoStudies() override;

    void LoadDecisions() override;
    bool StoreDecisions() override;
    // Writes the boxes into the order arrays of the zone shown and marks the
    // study decisions of that zone as taken.
    void SaveDecisions();

    void BBOrderAllClick();
    void BBNoStudiesClick();
    void UpdateCosts();

    int RowCount() const { return static_cast<int>(rows_.size()); }
    // The box of Row (1..RowCount) for Market (1..3; 1 for a zone study); none where the study cannot be ordered.
    QCheckBox* OrderBox(int row, int market) const;
    TQNEdit* CostField(int row) const;
    // The row of a zone (Fta) or market study element; 0 when it has none.
    int RowOf(bool ftaStudy, int study) const;

private:
    struct TStudyRow {
        bool fta = false;
        int study = 0;
        QLabel* label = nullptr;
        TQNEdit* cost = nullptr;
        std::array<QCheckBox*, kMaxMarkets> boxes{};
    };

    void BuildFrame();
    void BuildRows();
    void AddRow(bool fta, int study, bool restricted);
    void ClearRows();
    void BindOrders();
    void ShowOrders();
    double StudyCost(const TSimArr* params, int study) const;
    const TSimArr* Params(const TStudyRow& row, int market) const;
    TSimArr* Orders(const TStudyRow& row, int market) const;

    TDataContext bound_;  // the zone whose orders the dialog shows
    int nbMarkets_ = 0;
    const TSimArr* ftaParams_ = nullptr;
    std::array<const TSimArr*, kMaxMarkets> mktParams_{};
    TSimArr* decStuFta_ = nullptr;
    std::array<TSimArr*, kMaxMarkets> decStuMkt_{};
    std::vector<TStudyRow> rows_;
    QGroupBox* GBStudyTitles_ = nullptr;
    QGroupBox* GBStudyCost_ = nullptr;
    QGroupBox* GBStudyOrder_ = nullptr;
    QLabel* LTotalCost_ = nullptr;
    TQNEdit* QNETotalCost_ = nullptr;
    QLabel* PNoStudies_ = nullptr;
    QPushButton* BBOk_ = nullptr;
    QPushButton* BBOrderAll_ = nullptr;
    QPushButton* BBNoStudies_ = nullptr;
    QPushButton* BBCancel_ = nullptr;
};

}  // namespace cv
