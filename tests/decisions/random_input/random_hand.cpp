#include "tests/decisions/random_input/random_hand.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

#include "ui/fields/bar.h"
#include "ui/fields/qn_edit.h"
#include "ui/qn_form.h"
#include "ui/sheet/qn_sheet.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

// Windows opened from a dialog are played this deep, with fewer steps.
constexpr int kDeepest = 2;
constexpr int kStepsInOpenedWindow = 6;
constexpr int kPollMs = 20;

const QStringList kOkNames{"BBOk", "BBOK"};
const QStringList kClosingNames{"BBOk", "BBOK", "BBCancel", "bbCancel", "BBClose"};

// Buttons the hand leaves alone: those that close the dialog (OK is a step
// of its own), and help and printing, which lead outside the decisions.
bool Pressable(const QAbstractButton& button) {
    const QString name = button.objectName();
    return !kClosingNames.contains(name) && !name.contains(QStringLiteral("Help"), Qt::CaseInsensitive) &&
           !name.contains(QStringLiteral("Print"), Qt::CaseInsensitive);
}

bool Reachable(const QWidget& widget, const QWidget& dialog) {
    return widget.isVisible() && widget.isEnabled() && widget.window() == &dialog;
}

// The widgets of class T that Dialog shows enabled (by dynamic_cast: not every
// class of the framework declares its meta-object).
template <typename T>
std::vector<QWidget*> Reachables(QWidget& dialog) {
    std::vector<QWidget*> found;
    for (QWidget* widget : dialog.findChildren<QWidget*>())
        if (dynamic_cast<T*>(widget) && Reachable(*widget, dialog)) found.push_back(widget);
    return found;
}

std::vector<QWidget*> NumberFields(QWidget& dialog) {
    std::vector<QWidget*> fields;
    for (TQNEdit* field : dialog.findChildren<TQNEdit*>())
        if (Reachable(*field, dialog) && field->FieldEnabled() && !field->isReadOnly()) fields.push_back(field);
    return fields;
}

std::string Name(const QObject& object) {
    return object.objectName().isEmpty() ? object.metaObject()->className() : object.objectName().toStdString();
}

QAbstractButton* OkButton(QWidget& dialog) {
    for (const QString& name : kOkNames)
        if (auto* button = dialog.findChild<QAbstractButton*>(name); button && Reachable(*button, dialog))
            return button;
    return nullptr;
}

}  // namespace

RandomHand::RandomHand(std::uint32_t seed, RecordingUi& ui) : random_(seed), ui_(ui) {}

bool RandomHand::Open(QWidget& button, int steps, const std::string& shot) {
    bool opened = false;
    Press(*button.window(), button, [&](QWidget& dialog) {
        opened = true;
        SaveScreenshot(dialog, shot);
        ExpectFieldsInRange(dialog);
        PlayIn(dialog, steps, 0);
    });
    return opened;
}

void RandomHand::PlayIn(QWidget& dialog, int steps, int depth) {
    QPointer<QWidget> shown(&dialog);
    for (int step = 0; step < steps; ++step) {
        if (Step(dialog, depth) == TOutcome::Closed || !shown || !shown->isVisible()) return;
    }
    Close(dialog);
}

RandomHand::TOutcome RandomHand::Step(QWidget& dialog, int depth) {
    switch (Below(20)) {
        case 0:
        case 1: return ClickTab(dialog);
        case 2:
        case 3: return ClickOne(dialog, Reachables<TBarSpeedBtn>(dialog), depth);
        case 4: return ClickOne(dialog, Reachables<QCheckBox>(dialog), depth);
        case 5: return ClickOne(dialog, Reachables<QRadioButton>(dialog), depth);
        case 6:
        case 7: {
            std::vector<QWidget*> buttons;
            for (QWidget* button : Reachables<QPushButton>(dialog))
                if (Pressable(*static_cast<QAbstractButton*>(button))) buttons.push_back(button);
            return ClickOne(dialog, buttons, depth);
        }
        case 8:
        case 9: return TypeIntoSheet(dialog);
        case 10: return PressOk(dialog);
        default: return TypeIntoField(dialog);
    }
}

RandomHand::TOutcome RandomHand::TypeIntoField(QWidget& dialog) {
    const std::vector<QWidget*> fields = NumberFields(dialog);
    if (fields.empty()) return TOutcome::Stays;
    QWidget* clicked = fields[static_cast<std::size_t>(Below(static_cast<int>(fields.size())))];
    QTest::mouseClick(clicked, Qt::LeftButton, {}, clicked->rect().center());
    // The keys go where the focus is: a field that refused to let go keeps it.
    auto* field = qobject_cast<TQNEdit*>(QApplication::focusWidget());
    if (!field || field->window() != &dialog) return TOutcome::Stays;
    const QString text = ExtremeText(*field);
    const bool enter = Below(6) == 0;
    Note(dialog, "type \"" + text.toStdString() + "\" into " + Name(*field) + (enter ? ", Enter" : ", Tab"));
    QPointer<QWidget> shown(&dialog);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, enter ? Qt::Key_Return : Qt::Key_Tab);
    return shown && shown->isVisible() ? TOutcome::Stays : TOutcome::Closed;
}

RandomHand::TOutcome RandomHand::TypeIntoSheet(QWidget& dialog) {
    const std::vector<QWidget*> sheets = Reachables<TQNSheet>(dialog);
    if (sheets.empty()) return TypeIntoField(dialog);
    QWidget& sheet = *sheets[static_cast<std::size_t>(Below(static_cast<int>(sheets.size())))];
    const QPoint at(Below(std::max(1, sheet.width())), Below(std::max(1, sheet.height())));
    static const QStringList texts{"0", "-1", "100", "101", "abc", "-", "99999999999999999999", "1e308", "12.5"};
    const QString text = texts[Below(static_cast<int>(texts.size()))];
    Note(dialog, "type \"" + text.toStdString() + "\" into " + Name(sheet) + " at " + std::to_string(at.x()) + "," +
                     std::to_string(at.y()));
    QPointer<QWidget> shown(&dialog);
    QTest::mouseClick(&sheet, Qt::LeftButton, {}, at);
    if (!shown || !shown->isVisible()) return TOutcome::Closed;
    QWidget* focused = QApplication::focusWidget();
    if (!focused || focused->window() != &dialog) return TOutcome::Stays;
    QTest::keyClicks(focused, text);
    if (!shown || !shown->isVisible()) return TOutcome::Closed;
    if (QWidget* still = QApplication::focusWidget(); still && still->window() == &dialog)
        QTest::keyClick(still, Qt::Key_Return);
    return shown && shown->isVisible() ? TOutcome::Stays : TOutcome::Closed;
}

RandomHand::TOutcome RandomHand::ClickTab(QWidget& dialog) {
    const std::vector<QWidget*> bars = Reachables<QTabBar>(dialog);
    if (bars.empty()) return TOutcome::Stays;
    auto& tabs = static_cast<QTabBar&>(*bars[static_cast<std::size_t>(Below(static_cast<int>(bars.size())))]);
    if (tabs.count() == 0) return TOutcome::Stays;
    const int tab = Below(tabs.count());
    Note(dialog, "click tab " + std::to_string(tab) + " of " + Name(tabs));
    QPointer<QWidget> shown(&dialog);
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(tab).center());
    return shown && shown->isVisible() ? TOutcome::Stays : TOutcome::Closed;
}

RandomHand::TOutcome RandomHand::ClickOne(QWidget& dialog, const std::vector<QWidget*>& candidates, int depth) {
    if (candidates.empty()) return TOutcome::Stays;
    QWidget& chosen = *candidates[static_cast<std::size_t>(Below(static_cast<int>(candidates.size())))];
    Note(dialog, "click " + Name(chosen));
    QPointer<QWidget> shown(&dialog);
    PressOpening(dialog, chosen, depth);
    return shown && shown->isVisible() ? TOutcome::Stays : TOutcome::Closed;
}

void RandomHand::PressOpening(QWidget& dialog, QWidget& button, int depth) {
    Press(dialog, button, [&](QWidget& opened) {
        if (qobject_cast<TQNForm*>(&opened) && depth < kDeepest) PlayIn(opened, kStepsInOpenedWindow, depth + 1);
        else Close(opened);
    });
}

void RandomHand::Press(QWidget& window, QWidget& button, const std::function<void(QWidget&)>& play) {
    // A window the click opens runs its own loop inside the click: it is
    // played from a poll that lives as long as the click.
    QObject pressing;
    std::function<void()> poll = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != &window && modal->isVisible()) {
            [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(modal);
            play(*modal);
            return;
        }
        QTimer::singleShot(kPollMs, &pressing, poll);
    };
    QTimer::singleShot(0, &pressing, poll);
    QTest::mouseClick(&button, Qt::LeftButton, {}, button.rect().center());
}

RandomHand::TOutcome RandomHand::PressOk(QWidget& dialog) {
    QAbstractButton* ok = OkButton(dialog);
    if (!ok) return TOutcome::Stays;
    Note(dialog, "press OK");
    const std::size_t before = MessagesShown(ui_);
    QPointer<QWidget> shown(&dialog);
    QTest::mouseClick(ok, Qt::LeftButton, {}, ok->rect().center());
    if (!shown || !shown->isVisible()) return TOutcome::Closed;
    EXPECT_GT(MessagesShown(ui_), before) << Name(dialog) << ": OK kept the dialog without a message";
    return TOutcome::Stays;
}

void RandomHand::Close(QWidget& dialog) {
    QPointer<QWidget> shown(&dialog);
    if (PressOk(dialog) == TOutcome::Closed || !shown || !shown->isVisible()) return;
    Note(dialog, "Cancel");
    for (const char* name : {"BBCancel", "bbCancel", "BBClose"})
        if (auto* button = dialog.findChild<QAbstractButton*>(name); button && Reachable(*button, dialog)) {
            QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
            break;
        }
    if (shown && shown->isVisible()) {
        if (auto* modal = qobject_cast<QDialog*>(shown.data())) modal->reject();
        else shown->close();
    }
}

void RandomHand::ExpectFieldsInRange(QWidget& dialog) {
    for (TQNEdit* field : dialog.findChildren<TQNEdit*>()) {
        if (!Reachable(*field, dialog) || !field->FieldEnabled() || field->text().isEmpty()) continue;
        double value = 0;
        if (field->Kind == TEditKind::ekInteger) value = field->IntValue();
        else if (field->Kind == TEditKind::ekReal) value = field->RealValue();
        else continue;
        if (value == TQNEdit::kVoidInt || value == TQNEdit::kDashInt || value == TQNEdit::kVoidReal) continue;
        EXPECT_TRUE(field->MinValue <= value && value <= field->MaxValue)
            << Name(dialog) << " shows " << Name(*field) << " = " << field->text().toStdString() << " outside ["
            << field->MinValue << ", " << field->MaxValue << "]";
    }
}

QString RandomHand::ExtremeText(const TQNEdit& field) {
    if (field.Kind == TEditKind::ekAlphaNum) {
        static const QStringList texts{"", "A", "ZZZZZZZZZZZZZZZZZZZZZZZZ", "123", "-", "a b", "\xc3\xa9t\xc3\xa9"};
        return texts[Below(static_cast<int>(texts.size()))];
    }
    const double scale = field.Scale == 0 ? 1 : field.Scale;
    const double low = field.MinValue / scale;
    const double high = field.MaxValue / scale;
    switch (Below(11)) {
        case 0: return NumberText(field, low);
        case 1: return NumberText(field, high);
        case 2: return NumberText(field, low - 1);
        case 3: return NumberText(field, high + 1);
        case 4: return QStringLiteral("abc");
        case 5: return QString();
        case 6: return QStringLiteral("-");
        case 7: return QStringLiteral("99999999999999999999");
        case 8: return QStringLiteral("-99999999999");
        default: {
            std::uniform_real_distribution<double> within(low, high);
            return NumberText(field, within(random_));
        }
    }
}

QString RandomHand::NumberText(const TQNEdit& field, double shown) const {
    if (field.Kind == TEditKind::ekInteger || field.Precision <= 0)
        return QString::number(static_cast<long long>(std::llround(shown)));
    return QString::number(shown, 'f', field.Precision);
}

int RandomHand::Below(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

void RandomHand::Note(const QWidget& dialog, const std::string& what) {
    trace_.push_back(Name(dialog) + ": " + what);
}

}  // namespace cv::test
