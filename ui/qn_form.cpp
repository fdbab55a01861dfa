#include "ui/qn_form.h"

#include "core/language/translator.h"
#include "ui/translate_component.h"

namespace cv {
namespace {

// Arial 8 points at 96 dots per inch: a character height of 11 pixels.
constexpr int kFormFontPixels = 11;

}  // namespace

TQNForm::TQNForm(QWidget* owner, Qt::WindowFlags flags) : QDialog(owner, flags) { setFont(FormFont()); }

QFont TQNForm::FormFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kFormFontPixels);
    font.setBold(true);
    return font;
}

void TQNForm::TranslateForm() {
    if (Translator && Translator->IsOpen()) TranslateComponent(*Translator, this);
}

}  // namespace cv
