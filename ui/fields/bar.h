#pragma once
// TBar: the selector bar, a strip of button groups, one per series (periods,
// firms, zones, markets), with which the user picks what a page shows. A group
// of type 0 has one small coloured button per element (single or multiple
// choice); a group of type 1 a two-digit spin field over the series' range.
// Every click, and every spin change once it has settled for 800 ms, is
// reported through SelectionChanged. Groups can be lent to a modal dialog
// and brought back afterwards.

#include <QFrame>
#include <QTimer>
#include <QToolButton>
#include <string>
#include <vector>

#include "ui/fields/qn_spin.h"
#include "ui/fields/selector_state.h"

class QButtonGroup;

namespace cv {

class TSeries;
class TBar;

enum TBarGroupMode : std::uint8_t { bgmHidden = 0, bgmDisabled = 1, bgmSingle = 2, bgmMultiple = 4 };

// The captions of a group's element buttons: each label's shortest prefix
// that no other label of the group shares, or, where that would take more
// than two characters, the label's initial and its position ("M1").
std::vector<std::string> ButtonCaptions(const std::vector<std::string>& labels);

// An element button of a type-0 group: its caption, with the whole label as
// its tooltip.
class TBarSpeedBtn : public QToolButton {
    Q_OBJECT

public:
    static constexpr int kSize = 23;
    TBarSpeedBtn(QWidget* group, const std::string& label, const std::string& caption, int colorNumber, int element);
    const int Element;
};

// The spin field of a type-1 group; a change reaches the group once the
// field has been left alone for kSettleMs.
class TBarSpinBtn : public TQNSpinEdit {
    Q_OBJECT

public:
    static constexpr int kWidth = 36;
    static constexpr int kSettleMs = 800;
    TBarSpinBtn(QWidget* group, const std::string& label, int position);
    const int Position;
    QTimer& SettleTimer() { return timer_; }
    // Sets the value without starting the timer.
    void SetValueQuietly(std::int32_t value);

private:
    QTimer timer_;
    bool quiet_ = false;
};

class TBarGrpBtn : public QFrame {
    Q_OBJECT

public:
    static constexpr int kMaxButtons = TSelectorState::kElements;
    TBarGrpBtn(TBar& bar, int left);

    std::vector<QWidget*> Buttons;  // TBarSpeedBtn or one TBarSpinBtn
    std::int32_t Values[kMaxButtons] = {};
    std::uint8_t Mode = bgmHidden;
    std::uint8_t DownFlags[kMaxButtons] = {};
    std::uint8_t EnabledFlags[kMaxButtons] = {};

    void SetMode(std::uint8_t mode);
    void SetState(const TSelectorState& state);
    void SetButton(int number, std::int32_t value);
    void BtnClick(QWidget* sender);
    void GoHome();
    void SetHome(QWidget* parent, QPoint place);
    void AddSpeedButton(const std::string& label, const std::string& caption, int colorNumber, int element);
    void AddSpinButton(const std::string& label, int low, int high);

private:
    TBar& bar_;
    QWidget* homeParent_ = nullptr;
    QPoint homePlace_;
    QButtonGroup* exclusive_;
};

class TBar : public QFrame {
    Q_OBJECT

public:
    static constexpr int kMaxGroups = 10;
    static constexpr int kHeight = 23;
    static constexpr int kGap = 8;
    static constexpr int kFirstLeft = 4;
    // Room left below the bar on its owner.
    static constexpr int kBottomMargin = 2;
    static constexpr std::int32_t kKeepCoordinate = 32767;

    // The bar starts at its owner's bottom left (MoveToOwnerBottom).
    explicit TBar(QWidget* owner);

    // Puts the bar at its owner's bottom left edge again, after the owner
    // changed its height.
    void MoveToOwnerBottom();

    // Adds a group at the right end: Type 0 buttons coloured by the colour
    // numbers at the elements' positions, Type 1 a spin field.
    TBarGrpBtn* AddGroup(int type, const TSeries& series, const std::vector<int>& colors);
    void SetGroupMode(const std::string& series, std::uint8_t mode);
    void SetGroupButton(const std::string& series, int number, std::int32_t value);
    void SetGroupState(const std::string& series, const TSelectorState& state);
    void SetGroupSpinRange(const std::string& series, int element, std::int32_t low, std::int32_t high);
    void DeactivateGroups();
    void ClearGroups();
    bool IsGroupActive(const std::string& series) const;
    int GroupWidth(const std::string& series) const;
    void MoveGroup(const std::string& series, QWidget* parent, int left, int top);
    void LendGroups(const std::vector<std::string>& series, const std::vector<bool>& force, QWidget* target,
                    int left, int top);
    void RestoreGroups();
    int ArrangeGroups(const std::vector<std::string>& series) const;
    TBarGrpBtn* Group(const std::string& series) const;
    const std::vector<TBarGrpBtn*>& Groups() const { return groups_; }

    // Called after every click and every settled spin change.
    virtual void SelectionChanged(TBarGrpBtn& group, QWidget* sender);

private:
    friend class TBarGrpBtn;
    // The bar takes the mouse only where one of its groups shows its buttons:
    // a hidden group and the room between groups leave the controls beneath
    // (the main window's tool buttons) within reach.
    void FitToShownGroups();

    std::vector<TBarGrpBtn*> groups_;
};

}  // namespace cv
