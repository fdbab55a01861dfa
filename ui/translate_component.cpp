#include "ui/translate_component.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <vector>

#include "ui/cp1252.h"

namespace cv {

namespace {

constexpr std::string_view kVoidText = "void";
constexpr const char* kSeparatorCaption = "-";
// An entry of this many lines or more is not a caption and hint.
constexpr std::size_t kTooManyLines = 3;

bool IsUsable(const std::string& text) { return !text.empty() && text != kVoidText; }

// The menu item that Component stands for: a menu's own action, or an action
// shown in a menu or a menu bar; null for anything else.
QAction* MenuItemOf(QObject* component) {
    if (auto* menu = qobject_cast<QMenu*>(component)) return menu->menuAction();
    auto* action = qobject_cast<QAction*>(component);
    if (!action) return nullptr;
    for (QObject* shownIn : action->associatedObjects())
        if (qobject_cast<QMenu*>(shownIn) || qobject_cast<QMenuBar*>(shownIn)) return action;
    return nullptr;
}

// The tab widget of which Page is a page, or null.
QTabWidget* TabWidgetOf(QWidget* page) {
    for (QObject* up = page->parent(); up; up = up->parent()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(up)) return tabs->indexOf(page) >= 0 ? tabs : nullptr;
    }
    return nullptr;
}

void SetCaption(QWidget* widget, const QString& caption) {
    if (widget->isWindow()) {
        widget->setWindowTitle(caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(caption);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(caption);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(caption);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(caption);
    } else if (QTabWidget* tabs = TabWidgetOf(widget)) {
        tabs->setTabText(tabs->indexOf(widget), caption);
    }
}

void SetWidgetTexts(QWidget* widget, const std::string& text, const std::string& hint) {
    if (!hint.empty()) widget->setToolTip(Cp1252ToQString(hint));
    if (IsUsable(text)) SetCaption(widget, Cp1252ToQString(text));
}

void SetMenuItemTexts(QAction* item, const std::string& text, const std::string& hint) {
    if (!IsUsable(text)) return;
    if (!hint.empty()) item->setToolTip(Cp1252ToQString(hint));
    if (!item->isSeparator() && item->text() != QLatin1String(kSeparatorCaption)) item->setText(Cp1252ToQString(text));
}

void SetActionTexts(QAction* action, const std::string& text, const std::string& hint) {
    if (!hint.empty()) action->setToolTip(Cp1252ToQString(hint));
    if (IsUsable(text)) action->setText(Cp1252ToQString(text));
}

}  // namespace

void SetTexts(QObject* component, const std::string& text, const std::string& hint) {
    if (QAction* item = MenuItemOf(component)) {
        SetMenuItemTexts(item, text, hint);
    } else if (auto* widget = qobject_cast<QWidget*>(component)) {
        SetWidgetTexts(widget, text, hint);
    } else if (auto* action = qobject_cast<QAction*>(component)) {
        SetActionTexts(action, text, hint);
    }
}

void TranslateComponent(TTranslate& translator, QObject* component) {
    if (!component) return;
    // An unnamed object cannot have an entry; only its children are looked at.
    const std::string name = QStringToCp1252(component->objectName());
    if (!name.empty()) {
        const int section = MenuItemOf(component) ? kSectionMenus : kSectionControls;
        std::vector<std::string> lines;
        translator.GetLines(section, name, lines);
        if (lines.size() < kTooManyLines) {
            const std::string text = lines.size() > 0 ? lines[0] : std::string();
            const std::string hint = lines.size() > 1 ? lines[1] : std::string();
            SetTexts(component, text, hint);
        }
    }
    const QObjectList children = component->children();
    for (QObject* child : children) TranslateComponent(translator, child);
}

std::string ControlsLine(const std::string& key, int lineNo) {
    std::string text;
    if (Translator) Translator->ControlsLine(key, lineNo, text);
    return text;
}

std::string MessagesLine(const std::string& key, int lineNo) {
    std::string text;
    if (Translator) Translator->MessagesLine(key, lineNo, text);
    return text;
}

}  // namespace cv
