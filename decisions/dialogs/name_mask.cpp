#include "decisions/dialogs/name_mask.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>
#include <optional>

#include "ui/cp1252.h"

namespace cv {

namespace {

constexpr QChar kBlank = QLatin1Char('_');
constexpr QChar kFree = QLatin1Char('n');

// The free positions of Mask: the mask characters at its end.
int FreePositions(const QString& mask) {
    const QString positions = mask.section(QLatin1Char(';'), 0, 0);
    int count = 0;
    while (count < positions.size() && positions[positions.size() - 1 - count] == kFree) ++count;
    return count;
}

QString NameMask(const QString& fixed, int freePositions) {
    QString mask;
    // Every fixed character is escaped: a letter of the label may be a mask character.
    for (const QChar c : fixed) mask += QLatin1Char('\\') + c;
    mask += QLatin1Char('>') + QString(freePositions, kFree);
    return mask + QLatin1Char(';') + kBlank;
}

bool IsModifierAlone(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_CapsLock: return true;
        default: return false;
    }
}

// The letter or digit Key types, none for any other key or a shortcut.
std::optional<QChar> TypedLetter(const QKeyEvent& key) {
    const QString text = key.text();
    if (text.size() != 1 || !text[0].isLetterOrNumber()) return std::nullopt;
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return std::nullopt;
    return text[0];
}

// Names are kept in cp1252: a letter it lacks would be kept as '?'.
bool IsStorable(QChar letter) {
    bool complete = false;
    QStringToCp1252(QString(letter), &complete);
    return complete;
}

// The free positions of a name, each a letter or kBlank, and the caret among them.
struct TFreePart {
    QString letters;
    int caret = 0;
};

// The free part that the letters of Run give, typed in one go over Start:
// letters that fit in the free positions go there from Start's caret, or fill
// them afresh when they do not fit from it; a run longer than the free
// positions that begins with Fixed is the whole name. None when the run is no name.
std::optional<TFreePart> TypedFreePart(const TFreePart& start, const QString& run, const QString& fixed) {
    const auto count = start.letters.size();
    const auto afresh = [count](const QString& letters) {
        return TFreePart{letters + QString(count - letters.size(), kBlank), static_cast<int>(letters.size())};
    };
    if (run.size() <= count) {
        if (start.caret + run.size() > count) return afresh(run);
        TFreePart typed = start;
        typed.letters.replace(start.caret, run.size(), run);
        typed.caret += static_cast<int>(run.size());
        return typed;
    }
    if (run.size() <= fixed.size() + count && run.startsWith(fixed, Qt::CaseInsensitive))
        return afresh(run.mid(fixed.size()));
    return std::nullopt;
}

// Watches a name field and types its letters itself. The mask alone steps
// over a fixed letter typed and puts the next ones into the free positions,
// so that a whole name typed from the start would lose its end ("MAXY" would
// give MAAX). Here the letters typed in one run, from wherever the caret
// stood, are read as a name (TypedFreePart), and so are the letters of a
// text pasted (by the keys, the context menu or the middle button). Any other
// key, a click or a change of focus ends the run; Backspace and Delete are
// the mask's own, which clear free positions only.
class TNameTyping : public QObject {
public:
    TNameTyping(QLineEdit& field, QString fixed, int freePositions)
        : QObject(&field), field_(field), fixed_(std::move(fixed)), free_(freePositions) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &field_) return false;
        switch (event->type()) {
            case QEvent::FocusIn:
                run_.clear();
                StartAtFirstFree();
                break;
            case QEvent::KeyPress: return KeyPressed(static_cast<const QKeyEvent&>(*event));
            case QEvent::ContextMenu: return ShowContextMenu(static_cast<const QContextMenuEvent&>(*event));
            case QEvent::MouseButtonRelease:
                return static_cast<const QMouseEvent*>(event)->button() == Qt::MiddleButton &&
                       QGuiApplication::clipboard()->supportsSelection() && Paste(QClipboard::Selection);
            case QEvent::FocusOut: run_.clear(); break;
            default: break;
        }
        return false;
    }

    void StartAtFirstFree() {
        if (FreePart().letters.count(kBlank) == free_) field_.setCursorPosition(static_cast<int>(fixed_.size()));
    }

private:
    // The free part as shown, the caret at the free position it stands
    // before: the first one from within the fixed letters, and from past the
    // last letter typed, the one after that letter.
    TFreePart FreePart() const { return FreePartOf(field_.displayText(), field_.cursorPosition()); }

    // The free part a run starts from: the name as shown, its selected free
    // positions cleared and the caret where the selection begins. The field
    // itself is left as it is until the run gives a name.
    TFreePart RunStart() const {
        if (!field_.hasSelectedText()) return FreePart();
        QString shown = field_.displayText();
        const auto fixedEnd = fixed_.size();
        for (auto i = std::max(fixedEnd, static_cast<qsizetype>(field_.selectionStart())); i < field_.selectionEnd(); ++i)
            shown[i] = kBlank;
        return FreePartOf(shown, field_.selectionStart());
    }

    TFreePart FreePartOf(const QString& shown, int caret) const {
        TFreePart part{shown.mid(fixed_.size()), 0};
        auto lettersEnd = part.letters.size();
        while (lettersEnd > 0 && part.letters[lettersEnd - 1] == kBlank) --lettersEnd;
        part.caret = std::clamp(caret - static_cast<int>(fixed_.size()), 0, static_cast<int>(lettersEnd));
        return part;
    }

    // True when the key was taken here: a letter or digit, typed when it can
    // be kept. A modifier or Caps Lock pressed alone types nothing and leaves
    // the run as it is: a capital typed with Shift belongs to the same name.
    bool KeyPressed(const QKeyEvent& key) {
        if (IsModifierAlone(key)) return false;
        if (key.matches(QKeySequence::Paste)) return Paste(QClipboard::Clipboard);
        const std::optional<QChar> letter = field_.isReadOnly() ? std::nullopt : TypedLetter(key);
        if (!letter) {
            run_.clear();
            return false;
        }
        if (!IsStorable(*letter)) return true;
        if (run_.isEmpty() || field_.displayText() != shown_ || field_.cursorPosition() != caret_ ||
            field_.hasSelectedText())
            StartRun();
        const std::optional<TFreePart> typed = TypedFreePart(start_, run_ + *letter, fixed_);
        if (!typed) return true;
        run_ += *letter;
        Show(*typed);
        return true;
    }

    // The letters and digits of the text in Mode read as if typed in one run,
    // a letter the name cannot keep passed over as a key would be; a text
    // without one the name keeps changes nothing, the selection included.
    // True: the field's own paste is not made.
    bool Paste(QClipboard::Mode mode) {
        if (field_.isReadOnly()) return false;
        StartRun();
        for (const QChar c : QGuiApplication::clipboard()->text(mode))
            if (c.isLetterOrNumber() && IsStorable(c) && TypedFreePart(start_, run_ + c, fixed_)) run_ += c;
        if (!run_.isEmpty()) Show(*TypedFreePart(start_, run_, fixed_));
        run_.clear();
        return true;
    }

    // The field's own menu, its Paste pasting as above.
    bool ShowContextMenu(const QContextMenuEvent& event) {
        QMenu* menu = field_.createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        // The menu's Paste is known by its text, as the field's own words give it.
        const QString pasteText = QLineEdit::tr("&Paste");
        for (QAction* action : menu->actions()) {
            if (action->text().section(QLatin1Char('\t'), 0, 0) != pasteText) continue;
            action->disconnect();
            connect(action, &QAction::triggered, this, [this] { Paste(QClipboard::Clipboard); });
        }
        menu->popup(event.globalPos());
        return true;
    }

    // Free part Typed written over the free positions as an edit of the
    // field, which Ctrl+Z undoes.
    void Show(const TFreePart& typed) {
        field_.setSelection(static_cast<int>(fixed_.size()), free_);
        field_.insert(typed.letters);
        caret_ = static_cast<int>(fixed_.size()) + typed.caret;
        field_.setCursorPosition(caret_);
        shown_ = field_.displayText();
    }

    // The run starts over the name as it stands, its selected free positions cleared.
    void StartRun() {
        run_.clear();
        start_ = RunStart();
    }

    QLineEdit& field_;
    const QString fixed_;
    const int free_;
    // The letters typed in the run, the free part it started from, and the
    // field as the run left it: a field changed since starts a new run.
    QString run_;
    TFreePart start_;
    QString shown_;
    int caret_ = 0;
};

}  // namespace

void SetNameMask(QLineEdit& field, const std::string& fixed, int freePositions, const std::string& name) {
    const QString shownFixed = Cp1252ToQString(fixed);
    field.setInputMask(NameMask(shownFixed, freePositions));
    field.setText(Cp1252ToQString(name));
    auto* typing = new TNameTyping(field, shownFixed, freePositions);
    field.installEventFilter(typing);
    typing->StartAtFirstFree();
}

std::string MaskedName(const QLineEdit& field) {
    QString shown = field.displayText();
    const int free = field.inputMask().isEmpty() ? 0 : FreePositions(field.inputMask());
    for (int i = std::max<int>(0, shown.size() - free); i < shown.size(); ++i)
        if (shown[i] == kBlank) shown[i] = QLatin1Char(' ');
    return QStringToCp1252(shown);
}

}  // namespace cv
