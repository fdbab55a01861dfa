#pragma once
// TFoDistrib: the dialog in which the team decides its sales force for the
// coming period in one zone: the number of salespeople in each distribution
// channel, and how each channel's force is shared, in whole percent, among
// the firm's brands of every market of the zone. The grid of channels and
// brands is built at every load. Leaving a field writes the allocation
// without checks, so that the zone's budget can cost it per brand; OK writes
// it again with the checks (every channel's size entered, at least one
// salesperson, each channel at 100 %); Enter presses OK. Normalise brings each channel to 100 %; the assistant proposes an
// allocation. Cancel puts back the firm's decisions as they were at the last
// load.

#include <QLabel>
#include <QPushButton>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "decisions/dialogs/brand_decision_dialog.h"

class QGridLayout;

namespace cv {

class TCvPerData;
class TFtaBudget;
class TQNEdit;
class TQnInfos;

class TFoDistrib : public TFoBrdDec {
    Q_OBJECT

public:
    static constexpr int kMaxChannels = 3;
    static constexpr int kMaxRows = 15;  // 3 markets x 5 brands
    static constexpr int kMaxSalesForce = 999999;  // per channel, what its field holds

    TFoDistrib(QWidget* owner, TDataContext& callerContext);
    ~TFoDistrib() override;

    void LoadDecisions() override;
    bool StoreDecisions() override { return SaveDecisions(true); }
    // Writes the sizes (an empty field writes none), then (with Check, only
    // when they pass) the allocation and the decision status, into the
    // decision period's set.
    bool SaveDecisions(bool check);
    // With Check: lists what keeps the decisions from being stored (an empty
    // size field; with brands, a force below one salesperson and a channel
    // not at 100 %), with the focus on the first field concerned; false when
    // anything was listed.
    bool Validate(bool check);

    // The force summed from the size fields (an empty one counts 0) and
    // costed. A size field left costs the force again (an emptied one is
    // neither written nor costed); an effort field of Channel left, the
    // channel's total and the costs. Either refuses a value outside its
    // field's range (a size field's range ends at the largest force the
    // zone's budget carries there), or one the budget cannot cost, with its
    // message: the field then shows its last accepted value again and keeps
    // the focus.
    void DoCalcSlfCost();
    // Both answer whether the field's value was taken.
    bool SizeLeft(TQNEdit& field, int channel);
    bool EBrandExit(TQNEdit& field, int channel);
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

protected:
    // Enter in a field presses OK, whose press leaves the field first.
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    // Take (SizeLeft or EBrandExit) runs when Field, of Channel, is left.
    void TakeWhenLeft(TQNEdit* field, int channel, bool (TFoDistrib::*take)(TQNEdit&, int));
    void FillFields();
    void ShowCosts();
    void ComputeChannelTotal(int channel);
    void ComputeAllChannelTotals();
    // Writes without checks, costs the zone's budget again and shows the
    // costs; false, with the figures of the last costing kept, when the
    // budget cannot cost what is written.
    bool RecostAfterEdit();
    // Field, of Channel, left: true when its value is taken.
    bool AcceptLeftField(TQNEdit& field, int channel);
    // The largest force Channel can take that the zone's budget carries with
    // the other decisions as they stand; -1 when the budget carries none.
    std::int32_t LargestSize(int channel);
    // Efforts set by the dialog (Normalise, the assistant): they stand when
    // the budget can cost them, else the accepted ones come back.
    void TakeSetEfforts();
    void PutBack(TQNEdit& field);
    void Accept(const TQNEdit& field);
    std::string ChannelName(int channel) const;
    // The buttons act on what the fields show once the field being typed in
    // has been left and has taken its value.
    void ConnectButton(QPushButton* button, void (TFoDistrib::*action)());
    int FieldValue(const TQNEdit* field) const;
    // Shows Messages, if any, as the decisions' error list and puts the focus
    // on Focus; true when there were none.
    static bool Told(const TQnInfos& messages, QWidget* focus);
    // True when every number field holds a value within its range (an empty
    // one holds none); else false, and with Tell the range message and the
    // focus on the first field outside.
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
    // Each number field's last accepted value: loaded, set by the dialog or
    // left with a value that was taken.
    std::unordered_map<const TQNEdit*, std::int32_t> accepted_;
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
