#include "ui/fields/bar.h"

#include <algorithm>
#include <cctype>

#include <QButtonGroup>
#include <QRegion>

#include "core/base/ui_services.h"
#include "core/store/series.h"
#include "ui/bar_colors.h"
#include "ui/cp1252.h"
#include "ui/platform_color.h"
#include "ui/reading_order.h"

namespace cv {

namespace {

constexpr char kBadTypeMessage[] = "TBarGrpBtn.Create : Bad button type ";

constexpr std::size_t kMaxPrefixCaption = 2;

}  // namespace

std::vector<std::string> ButtonCaptions(const std::vector<std::string>& labels) {
    std::vector<std::string> captions;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const std::string& label = labels[i];
        // The prefix must be one character longer than the longest common
        // prefix with any other label.
        std::size_t shared = 0;
        for (std::size_t j = 0; j < labels.size(); ++j) {
            if (j == i) continue;
            std::size_t common = 0;
            while (common < label.size() && common < labels[j].size() &&
                   std::tolower(static_cast<unsigned char>(label[common])) ==
                       std::tolower(static_cast<unsigned char>(labels[j][common])))
                ++common;
            shared = std::max(shared, common);
        }
        const std::size_t length = std::min(shared + 1, label.size());
        captions.push_back(length <= kMaxPrefixCaption ? label.substr(0, length)
                                                       : label.substr(0, 1) + std::to_string(i + 1));
    }
    return captions;
}

TBarSpeedBtn::TBarSpeedBtn(QWidget* group, const std::string& label, const std::string& caption, int colorNumber,
                           int element)
    : QToolButton(group), Element(element) {
    setObjectName(QString::fromStdString("SpeedBtn" + label));
    setText(Cp1252ToQString(caption));
    setToolTip(Cp1252ToQString(label));
    setCheckable(true);
    setFixedSize(kSize, kSize);
    setFocusPolicy(Qt::NoFocus);
    QPalette colours = palette();
    colours.setColor(QPalette::ButtonText, PlatformColor(BarColor(colorNumber).ColorB));
    setPalette(colours);
}

TBarSpinBtn::TBarSpinBtn(QWidget* group, const std::string& label, int position)
    : TQNSpinEdit(group), Position(position) {
    setObjectName(QString::fromStdString("SpinBtn" + label));
    setMaxLength(2);
    setFixedSize(kWidth, TBar::kHeight);
    timer_.setSingleShot(true);
    timer_.setInterval(kSettleMs);
    // A run of quick changes is reported once, when the field has settled.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!quiet_) timer_.start();
    });
}

void TBarSpinBtn::SetValueQuietly(std::int32_t value) {
    quiet_ = true;
    SetValue(value);
    quiet_ = false;
}

TBarGrpBtn::TBarGrpBtn(TBar& bar, int left) : QFrame(&bar), bar_(bar), exclusive_(new QButtonGroup(this)) {
    setGeometry(left, 0, 0, TBar::kHeight);
    SetHome(&bar, QPoint(left, 0));
}

void TBarGrpBtn::SetHome(QWidget* parent, QPoint place) {
    homeParent_ = parent;
    homePlace_ = place;
}

void TBarGrpBtn::AddSpeedButton(const std::string& label, const std::string& caption, int colorNumber,
                                int element) {
    auto* button = new TBarSpeedBtn(this, label, caption, colorNumber, element);
    button->move(static_cast<int>(Buttons.size()) * TBarSpeedBtn::kSize, 0);
    connect(button, &QToolButton::clicked, this, [this, button] { BtnClick(button); });
    Buttons.push_back(button);
    resize(static_cast<int>(Buttons.size()) * TBarSpeedBtn::kSize, TBar::kHeight);
}

void TBarGrpBtn::AddSpinButton(const std::string& label, int low, int high) {
    auto* spin = new TBarSpinBtn(this, label, 1);
    spin->MinValue = low;
    spin->MaxValue = high;
    spin->move(0, 0);
    connect(&spin->SettleTimer(), &QTimer::timeout, this, [this, spin] { BtnClick(spin); });
    Buttons.push_back(spin);
    resize(TBarSpinBtn::kWidth, TBar::kHeight);
}

void TBarGrpBtn::SetMode(std::uint8_t mode) {
    Mode = mode;
    const bool single = mode == bgmSingle;
    exclusive_->setExclusive(single);
    for (std::size_t i = 0; i < Buttons.size(); ++i) {
        QWidget* button = Buttons[i];
        button->setVisible(mode != bgmHidden);
        button->setEnabled(mode != bgmDisabled);
        EnabledFlags[i] = mode == bgmDisabled ? 0 : 1;
        if (auto* speed = qobject_cast<TBarSpeedBtn*>(button)) {
            // Single choice: one exclusive group, so one button stays down.
            if (single) exclusive_->addButton(speed);
            else exclusive_->removeButton(speed);
        }
    }
    bar_.FitToShownGroups();
}

void TBarGrpBtn::SetButton(int number, std::int32_t value) {
    if (number < 1 || number > static_cast<int>(Buttons.size())) return;
    QWidget* button = Buttons[number - 1];
    if (auto* speed = qobject_cast<TBarSpeedBtn*>(button)) speed->setChecked(value != 0);
    else if (auto* spin = qobject_cast<TBarSpinBtn*>(button)) spin->SetValueQuietly(value);
}

void TBarGrpBtn::SetState(const TSelectorState& state) {
    SetMode(state.Mode);
    for (std::size_t i = 0; i < Buttons.size(); ++i) {
        QWidget* button = Buttons[i];
        if (auto* speed = qobject_cast<TBarSpeedBtn*>(button)) {
            speed->setChecked(state.Down[i] != 0);
            DownFlags[i] = state.Down[i];
        } else if (auto* spin = qobject_cast<TBarSpinBtn*>(button)) {
            spin->SetValueQuietly(state.Values[i]);
            Values[i] = state.Values[i];
        }
        EnabledFlags[i] = state.Enabled[i];
        button->setEnabled(state.Enabled[i] != 0);
    }
}

void TBarGrpBtn::BtnClick(QWidget* sender) {
    setFocus(Qt::OtherFocusReason);
    for (std::size_t i = 0; i < Buttons.size(); ++i)
        if (auto* speed = qobject_cast<TBarSpeedBtn*>(Buttons[i])) DownFlags[i] = speed->isChecked() ? 1 : 0;
    if (auto* spin = qobject_cast<TBarSpinBtn*>(sender)) Values[spin->Position - 1] = spin->Value();
    bar_.SelectionChanged(*this, sender);
}

void TBarGrpBtn::GoHome() {
    setParent(homeParent_);
    move(homePlace_);
    show();
    bar_.FitToShownGroups();
}

TBar::TBar(QWidget* owner) : QFrame(owner) {
    setObjectName(QStringLiteral("pCv3Bar"));
    setFrameStyle(QFrame::NoFrame);
    if (owner) setFont(owner->font());
    resize(0, kHeight);
    MoveToOwnerBottom();
}

void TBar::MoveToOwnerBottom() {
    const QWidget* owner = parentWidget();
    move(0, owner ? owner->height() - kHeight - kBottomMargin : 0);
}

TBarGrpBtn* TBar::AddGroup(int type, const TSeries& series, const std::vector<int>& colors) {
    if (static_cast<int>(groups_.size()) >= kMaxGroups) return nullptr;
    const int left = groups_.empty() ? kFirstLeft : groups_.back()->x() + groups_.back()->width() + kGap;
    auto* group = new TBarGrpBtn(*this, left);
    group->setObjectName(QString::fromStdString(series.Name()));
    groups_.push_back(group);
    const std::vector<std::string>& labels = series.Labels();
    if (type == 0) {
        const int count = std::min<int>(TBarGrpBtn::kMaxButtons, static_cast<int>(labels.size()));
        const std::vector<std::string> captions = ButtonCaptions(labels);
        for (int i = 0; i < count; ++i) {
            const auto at = static_cast<std::size_t>(i);
            group->AddSpeedButton(labels[at], captions[at], colors.at(at), series.Lo() + i);
        }
    } else if (type == 1) {
        group->AddSpinButton(labels.empty() ? std::string() : labels.front(), series.Lo(), series.Hi());
    } else {
        Ui().ShowPlainBox(kBadTypeMessage + std::to_string(type));
    }
    group->show();
    resize(group->x() + group->width(), kHeight);
    FitToShownGroups();
    return group;
}

TBarGrpBtn* TBar::Group(const std::string& series) const {
    for (TBarGrpBtn* group : groups_)
        if (group->objectName().toStdString() == series) return group;
    return nullptr;
}

void TBar::SetGroupMode(const std::string& series, std::uint8_t mode) {
    if (TBarGrpBtn* group = Group(series)) group->SetMode(mode);
}

void TBar::SetGroupButton(const std::string& series, int number, std::int32_t value) {
    if (TBarGrpBtn* group = Group(series)) group->SetButton(number, value);
}

void TBar::SetGroupState(const std::string& series, const TSelectorState& state) {
    if (TBarGrpBtn* group = Group(series)) group->SetState(state);
}

void TBar::SetGroupSpinRange(const std::string& series, int element, std::int32_t low, std::int32_t high) {
    TBarGrpBtn* group = Group(series);
    if (!group || element < 1 || element > static_cast<int>(group->Buttons.size())) return;
    if (auto* spin = qobject_cast<TBarSpinBtn*>(group->Buttons[element - 1])) {
        spin->MinValue = low;
        spin->MaxValue = high;
    }
}

void TBar::DeactivateGroups() {
    for (TBarGrpBtn* group : groups_) group->SetMode(bgmHidden);
}

void TBar::ClearGroups() {
    for (TBarGrpBtn* group : groups_) delete group;
    groups_.clear();
    resize(0, kHeight);
    FitToShownGroups();
}

bool TBar::IsGroupActive(const std::string& series) const {
    const TBarGrpBtn* group = Group(series);
    return group && group->Mode != bgmHidden;
}

int TBar::GroupWidth(const std::string& series) const {
    const TBarGrpBtn* group = Group(series);
    return group ? group->width() : 0;
}

void TBar::MoveGroup(const std::string& series, QWidget* parent, int left, int top) {
    TBarGrpBtn* group = Group(series);
    if (!group) return;
    const QPoint place(left == kKeepCoordinate ? group->x() : left, top == kKeepCoordinate ? group->y() : top);
    group->setParent(parent);
    MarkLent(*group);
    group->move(place);
    group->show();
    FitToShownGroups();
}

void TBar::LendGroups(const std::vector<std::string>& series, const std::vector<bool>& force, QWidget* target,
                      int left, int top) {
    int x = left;
    const TBarGrpBtn* placed = nullptr;
    for (std::size_t i = 0; i < series.size(); ++i) {
        TBarGrpBtn* group = Group(series[i]);
        const bool forced = i < force.size() && force[i];
        if (!group || (group->Mode == bgmHidden && !forced)) continue;
        if (placed) x += placed->width() + kGap;
        MoveGroup(series[i], target, x, top);
        placed = group;
    }
}

void TBar::RestoreGroups() {
    for (TBarGrpBtn* group : groups_) group->GoHome();
}

int TBar::ArrangeGroups(const std::vector<std::string>& series) const {
    int width = 0;
    int counted = 0;
    for (const std::string& name : series)
        if (const TBarGrpBtn* group = Group(name)) width += group->width() + (counted++ ? kGap : 0);
    return width;
}

void TBar::SelectionChanged(TBarGrpBtn&, QWidget*) {}

void TBar::FitToShownGroups() {
    QRegion shown;
    for (const TBarGrpBtn* group : groups_)
        if (group->parentWidget() == this && group->Mode != bgmHidden) shown += group->geometry();
    // An empty mask would be no mask at all: a bar showing nothing steps aside.
    setMask(shown);
    setVisible(!shown.isEmpty());
}

}  // namespace cv
