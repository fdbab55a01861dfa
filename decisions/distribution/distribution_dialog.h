#pragma once
// TFoDistrib: the dialog in which the team decides its sales force for the
// coming period in one zone: the number of salespeople in each distribution
// channel, and how each channel's force is shared, in whole percent, among
// the firm's brands of every market of the zone. The grid of channels and
// brands is built at every load. Leaving a field writes the allocation
// without checks, so that the zone's budget can cost it per brand; OK writes
// it again with the checks (at least one salesperson, each channel at
// 100 %). Normalise brings each channel to 100 %; the assistant proposes an
// allocation. Cancel puts back the firm's decisions as they were at the last
// load.

#include <QLabel>
#include <QPushButton>
#include <memory>
#include <string>
#include <vector>

#include "decisions/dialogs/brand_decision_dialog.h"

class QGridLayout;

namespace cv {

class TCvPerData;
class TFtaBudget;
class TQNEdit;

class TFoDistrib : public TFoBrdDec {
    Q_OBJECT

public:
    static constexpr int kMaxChannels = 3;
    static constexpr int kMaxRows = 15;  // 3 markets x 5 brands

    TFoDistrib(QWidget* owner, TDataContext& callerContext);
    ~TFoDistrib() override;

    void LoadDecisions() override;
    bool StoreDecisions() override { return SaveDecisions(true); }
    // Writes the sizes, then (with Check, only when they pass) the allocation
    // and the decision status, into the decision period's set.
    bool SaveDecisions(bool check);
    // With Check: lists what keeps the decisions from being stored, with the
    // focus on the first field concerned; false when anything was listed.
    bool Validate(bool check);

    void DoCalcSlfCost();
    void EBrandExit(int channel);
    void BBNormalizeClick();
    void BBAssistantClick();
    // Cancel, Escape and the window's close box: the firm's decisions as
    // they were at the last load.
    void reject() override;

    int ChannelCount() const { return static_cast<int>(channelFields_.size()); }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Field of row 1..RowCount and channel 1..ChannelCount.
    TQNEdit* EffortField(int row, int channel) const;
    TQNEdit* ChannelField(int channel) const { return channelFields_.at(static_cast<std::size_t>(channel - 1)); }
    const std::string& RowBrand(int row) const { return rows_.at(static_cast<std::size_t>(row - 1)).name; }

private:
    // A brand row: its market, its row in the market's portfolio, its controls.
    struct TRow {
        int market = 0;
        int portRow = 0;
        std::string name;
        QLabel* label = nullptr;
        std::vector<TQNEdit*> efforts;
        TQNEdit* cost = nullptr;
    };
    struct TMarketArrays {
        int brands = 0;
        const TSimArr* port = nullptr;
        TSimArr* alloc = nullptr;
    };

    void BuildFrame();
    void BindArrays();
    void BuildGrid();
    void AddChannelColumn(QGridLayout& grid, int c);
    void AddBrandRow(QGridLayout& grid, int gridRow, TRow& row);
    void AddTotalsRow(QGridLayout& grid, int gridRow);
    void FillFields();
    void ShowCosts();
    void ComputeChannelTotal(int channel);
    void ComputeAllChannelTotals();
    // Writes without checks, costs the zone's budget again and shows the costs.
    void RecostAfterEdit();
    int FieldValue(const TQNEdit* field) const;
    // True when every number field holds a value within its range; else
    // false, and with Tell the range message and the focus on the first
    // field outside.
    bool FieldsInRange(bool tell);
    TDataContext MarketContext(int market) const;
    std::vector<std::string> RowBrands() const;

    TFtaBudget* budget_ = nullptr;
    std::unique_ptr<TCvPerData> copy_;
    bool firstLoad_ = true;
    bool closing_ = false;  // the decisions were put back: no field writes any more
    TDataContext bound_;  // the zone whose arrays the dialog shows
    TSimArr* slfSize_ = nullptr;
    std::vector<TMarketArrays> markets_;
    std::vector<TRow> rows_;
    std::vector<QLabel*> channelLabels_;
    std::vector<TQNEdit*> channelFields_;
    std::vector<TQNEdit*> totalFields_;
    std::vector<int> channelTotals_;
    int totalSlfSize_ = 0;
    QWidget* gridPanel_ = nullptr;
    QLabel* LNoBrands_ = nullptr;
    QLabel* LEffort_ = nullptr;
    QLabel* LTotal_ = nullptr;
    TQNEdit* ETotalCost_ = nullptr;
    TQNEdit* EChannelCost_ = nullptr;
    QPushButton* BBAssistant_ = nullptr;
    QPushButton* BBNormalize_ = nullptr;
    QPushButton* BBOk_ = nullptr;
    QPushButton* BBCancel_ = nullptr;
};

}  // namespace cv
