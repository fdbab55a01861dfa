#pragma once
// Translating a window: every object of a Qt object tree whose objectName is
// an entry of the language file gets its caption and hint from that entry
// (menu items from the menus section, everything else from the controls
// section). The base form of every window calls this in its constructor.

#include <QObject>
#include <string>

#include "core/language/translator.h"

namespace cv {

// Translates Component and, in ownership order, every object it owns. The
// entry named after an object gives: no line, nothing changes; one line, the
// caption; two lines, the caption and the hint; three or more, nothing.
void TranslateComponent(TTranslate& translator, QObject* component);

// Sets a component's caption and hint (cp1252 bytes). Text counts only when it
// is neither empty nor "void"; the hint is the tooltip.
// - A widget: the tooltip when Hint is not empty; the caption when Text counts
//   and the widget carries one: a window (its title), a button of any kind, a
//   label, an edit box (its text), a group box (its title) or a page of a tab
//   widget (its tab's text). A panel with a caption is a QLabel.
// - A menu item (a QMenu, or a QAction shown in a menu or menu bar): only when
//   Text counts: the tooltip when Hint is not empty, and the caption unless the
//   item is a separator (or its caption is "-").
// - Another QAction: the tooltip when Hint is not empty, the caption when Text
//   counts.
// - Anything else: nothing.
void SetTexts(QObject* component, const std::string& text, const std::string& hint);

// Line LineNo of the entry Key of the controls or the messages section of the
// program's language file (cp1252 bytes); empty without the file or the line.
std::string ControlsLine(const std::string& key, int lineNo);
std::string MessagesLine(const std::string& key, int lineNo);

}  // namespace cv
