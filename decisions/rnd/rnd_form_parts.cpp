#include "decisions/rnd/rnd_form_parts.h"

#include "core/base/ui_services.h"
#include "decisions/portfolio/project_list_dialog.h"

namespace cv {

namespace {

// Room at the top for the help button the main window lends.
constexpr int kLentButtonRoom = 30;
constexpr int kMargin = 8;

}  // namespace

void ShowDevDecsError(TDevDecsLine line) {
    Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, kDevDecsKey, {line}, TAlignment::taCenter);
}

void ShowProjectsReport(QWidget& opener, TProtoListKind kind, const TDataContext& context) {
    TFoScrDlg report(&opener, kind, context);
    report.exec();
}

QVBoxLayout* NewDialogLayout(QWidget& dialog) {
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(kMargin, kLentButtonRoom, kMargin, kMargin);
    return layout;
}

QLabel* NewLabel(QWidget& parent, const char* name) {
    auto* label = new QLabel(&parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QPushButton* AddButton(QWidget& parent, QBoxLayout& row, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromLatin1(caption), &parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    row.addWidget(button);
    return button;
}

TQNEdit* NewNumberField(QWidget& parent, const char* name, TEditKind kind, int maxLength) {
    auto* field = new TQNEdit(&parent);
    field->setObjectName(QString::fromLatin1(name));
    field->Kind = kind;
    field->Precision = 0;
    field->setMaxLength(maxLength);
    field->setAlignment(Qt::AlignRight);
    return field;
}

TQNEdit* AddCounter(QWidget& parent, QGridLayout& grid, int row, const char* labelName, const char* fieldName) {
    constexpr int kCounterLength = 3;
    TQNEdit* field = NewNumberField(parent, fieldName, TEditKind::ekInteger, kCounterLength);
    field->setEnabled(false);
    field->setCursor(Qt::ArrowCursor);
    grid.addWidget(NewLabel(parent, labelName), row, 0);
    grid.addWidget(field, row, 1);
    return field;
}

void SetNumber(TQNEdit& field, double value) {
    if (field.Kind == TEditKind::ekInteger) field.SetValueInt(static_cast<std::int32_t>(value));
    else field.SetValueFloat(value);
}

bool IsEmptyField(const TQNEdit& field) {
    return field.text().isEmpty() ||
           (field.Kind == TEditKind::ekInteger ? field.IntValue() == TQNEdit::kVoidInt
                                               : field.RealValue() == TQNEdit::kVoidReal);
}

}  // namespace cv
