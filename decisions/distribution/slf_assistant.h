#pragma once
// TFoSlfAuto: the sales-force allocation assistant. It shows the
// distribution dialog's brands and efforts in a table and, for the rule the
// user picks, the shares it proposes for every channel; on OK the
// distribution dialog takes the proposal over. The rules that weigh the
// brands by the distribution panel are absent while that study is
// restricted. The rules and their rounding
// are display-free (decisions/allocation/).

#include <QButtonGroup>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/store/data_context.h"
#include "decisions/allocation/slf_proposal.h"
#include "ui/qn_form.h"

class QGroupBox;

namespace cv {

class TQNTable;

class TFoSlfAuto : public TQNForm {
    Q_OBJECT

public:
    static constexpr int kBodyRows = 15;

    // Channels and Brands: the distribution dialog's counts; Context names the
    // firm and the zone.
    TFoSlfAuto(QWidget* owner, int channels, int brands, const TDataContext& context);
    ~TFoSlfAuto() override;

    // The table's headings, the brands in the distribution dialog's row order
    // and their current efforts [row][channel], the total row's 100s.
    void Fill(const std::vector<std::string>& channelLabels, const std::vector<std::string>& brands,
              const std::vector<std::vector<int>>& efforts);
    // Clears the proposal and applies Rule to every channel; a rule that
    // lacks the distribution panel says so, the channels done before kept.
    void RGAutoModeClick(TSlfRule rule);
    // Row 1..brands, channel 1..channels: the share shown; nothing when the
    // cell holds no number.
    std::optional<int> Proposed(int row, int channel) const;

    TQNTable& Table() { return *table_; }

private:
    bool ComputeAllocation(TSlfRule rule);
    void Arrange();

    TDataContext context_;
    int channels_;
    int brands_;
    std::unique_ptr<TQNTable> table_;
    QGroupBox* RGAutoMode_ = nullptr;
    QButtonGroup rules_;
};

}  // namespace cv
