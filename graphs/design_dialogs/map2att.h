#pragma once
// TFoMap2Att: the characteristics that bring a marketed brand's predicted
// perceptual-map position nearest a target. The map model is one linear
// regression per map dimension of the brands' study positions on their
// characteristics; the search walks a grid over the characteristics the user
// ticked (graphs/design/map_target_search.h), as fine as the chosen mode
// allows, while the others keep the values typed for them. The gauge follows
// the search, and Cancel (or closing the window) stops it with nothing shown.

#include <QCheckBox>
#include <QLabel>
#include <array>

#include "graphs/design/map_target_search.h"
#include "graphs/design_dialogs/design_form.h"

class QComboBox;
class QProgressBar;
class QPushButton;

namespace cv {

class TFoMap2Att : public TFoDesign {
    Q_OBJECT

public:
    // Points evaluated by the three modes of the search.
    static constexpr int kModeBudgets[] = {5000, 10000, 120000};

    TFoMap2Att(QWidget* owner, const TDataContext& context);

    // Searches the characteristics nearest the target and shows them with the position they reach.
    void btnM2ASolveClick();
    // Whether a search is running; the way to stop it is Cancel.
    bool Searching() const { return searching_; }
    const TMapModel& Model() const { return model_; }

protected:
    // Closing the window during a search stops the search first.
    void reject() override;

private:
    void BuildControls(QVBoxLayout& layout) override;
    void Fill() override;
    void BuildMapModel();
    void ShowBrand();
    void cbM2ASelBrdChange(int index);
    void chkOpt1Click();
    // The search's wheels, one per characteristic; false (told, the field
    // focused) when a characteristic kept as it is has no value.
    bool SearchWheels(int pointsPerWheel, std::array<TSearchWheel, MaxMapCharacteristics>& wheels);
    void ShowSearching(bool searching);
    TCharacteristics TypedCharacteristics() const;
    void SolverMessage(int line);

    TMapModel model_;
    bool modelUsable_ = true;
    int selectedBrand_ = 1;
    bool searching_ = false;
    bool cancelRequested_ = false;

    QComboBox* cbM2ASelBrd_ = nullptr;
    QComboBox* cbModes_ = nullptr;
    QPushButton* btnM2ASolve_ = nullptr;
    QPushButton* btnM2ACancel_ = nullptr;
    QPushButton* btnM2AClose_ = nullptr;
    QProgressBar* gauge_ = nullptr;
    QWidget* inputs_ = nullptr;
    std::array<QLabel*, MaxMapCharacteristics> physLabels_{};
    std::array<TQNEdit*, MaxMapCharacteristics> physFields_{};
    std::array<TQNEdit*, MaxMapCharacteristics> optFields_{};
    std::array<QCheckBox*, MaxMapCharacteristics> optChecks_{};
    std::array<QLabel*, MaxMapDimensions> mapLabels_{};
    std::array<TQNEdit*, MaxMapDimensions> curMapFields_{};
    std::array<TQNEdit*, MaxMapDimensions> tarMapFields_{};
    std::array<TQNEdit*, MaxMapDimensions> optMapFields_{};
};

}  // namespace cv
