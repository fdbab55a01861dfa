#include "ui/qn_form.h"

#include <QKeyEvent>

#include "core/language/translator.h"
#include "ui/screen_room.h"
#include "ui/translate_component.h"

namespace cv {
namespace {

// Arial 8 points at 96 dots per inch: a character height of 11 pixels.
constexpr int kFormFontPixels = 11;

}  // namespace

TQNForm::TQNForm(QWidget* owner, Qt::WindowFlags flags) : QDialog(owner, flags) {
    // QDialog turns a plain widget type into a dialog window; a page asks to
    // be a child of its owner, so the type is set again.
    if ((flags & Qt::WindowType_Mask) == Qt::Widget) setWindowFlags(flags);
    setFont(FormFont());
    // Every window keeps itself and its frame on the screen; one that sizes
    // itself to the room adds its own keeper.
    new TScreenKeeper(*this, {});
}

QFont TQNForm::FormFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kFormFontPixels);
    font.setBold(true);
    return font;
}

void TQNForm::keyPressEvent(QKeyEvent* event) {
    if (windowType() == Qt::Dialog) QDialog::keyPressEvent(event);
    else QWidget::keyPressEvent(event);
}

void TQNForm::TranslateForm() {
    if (Translator && Translator->IsOpen()) TranslateComponent(*Translator, this);
}

}  // namespace cv
