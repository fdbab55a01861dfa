#include "decisions/dialogs/name_mask.h"

#include <QEvent>
#include <QKeyEvent>
#include <algorithm>

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

// Watches a name field. The mask alone puts the letters typed at the first
// free position into the free positions, so that the whole name typed there
// would lose its end ("MAXY" would give MAMA). The letters typed in one run
// from the empty free positions are kept: once the run is longer than the free
// positions and begins with the fixed part, it was the whole name.
class TNameTyping : public QObject {
public:
    TNameTyping(QLineEdit& field, QString fixed, int freePositions)
        : QObject(&field), field_(field), fixed_(std::move(fixed)), free_(freePositions) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &field_) return false;
        switch (event->type()) {
            case QEvent::FocusIn: StartAtFirstFree(); break;
            case QEvent::KeyPress: return KeyPressed(static_cast<const QKeyEvent&>(*event));
            case QEvent::MouseButtonPress:
            case QEvent::FocusOut: run_.clear(); break;
            default: break;
        }
        return false;
    }

    void StartAtFirstFree() {
        if (FreePartEmpty()) field_.setCursorPosition(static_cast<int>(fixed_.size()));
    }

private:
    bool FreePartEmpty() const {
        const QString free = field_.displayText().mid(fixed_.size());
        return std::all_of(free.begin(), free.end(), [](QChar c) { return c == kBlank; });
    }

    // True when the key was taken here: the whole name was typed. A modifier
    // or Caps Lock pressed alone types nothing and leaves the run as it is:
    // a capital typed with Shift belongs to the same name.
    bool KeyPressed(const QKeyEvent& key) {
        if (IsModifierAlone(key)) return false;
        const QString text = key.text();
        const bool letter = text.size() == 1 && text[0].isLetterOrNumber() &&
                            !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (!letter) {
            run_.clear();
            return false;
        }
        if (run_.isEmpty() && !(field_.cursorPosition() == fixed_.size() && FreePartEmpty())) return false;
        run_ += text;
        const bool wholeName = run_.size() > free_ && run_.size() >= fixed_.size() &&
                               run_.size() <= fixed_.size() + free_ &&
                               run_.startsWith(fixed_, Qt::CaseInsensitive);
        if (!wholeName) return false;
        const QString typed = run_.mid(fixed_.size());
        field_.setText(fixed_ + typed);
        field_.setCursorPosition(static_cast<int>(fixed_.size() + typed.size()));
        return true;
    }

    QLineEdit& field_;
    QString fixed_;
    int free_;
    // The letters typed since the free positions were found empty at the caret.
    QString run_;
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
