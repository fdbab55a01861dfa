#pragma once
// The pieces the R&D dialogs are built of: a column layout that leaves the
// top right corner to the lent help button, labels, buttons and number
// fields named after their components (their texts come from the language
// file by those names).

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/store/data_context.h"
#include "reports/results/rnd_proto_list.h"
#include "ui/fields/qn_edit.h"

namespace cv {

// Lines of the messages entry "DevDecs": the input errors of the R&D dialogs
// and the abandon question.
enum TDevDecsLine : int {
    kNameUsed = 1,
    kNameIncomplete = 2,
    kEmptyCharacteristic = 3,
    kEmptyUnitCost = 4,
    kEmptyBudget = 5,
    kAbandonQuestion = 6,
    kNoBasePrototype = 7,
    kNoSuspendedPrototype = 8,
};
inline constexpr char kDevDecsKey[] = "DevDecs";

// Shows line Line of "DevDecs" as an error with an OK button.
void ShowDevDecsError(TDevDecsLine line);

// Shows the R&D projects report of Kind for Context's firm and market in its
// own window over Opener.
void ShowProjectsReport(QWidget& opener, TProtoListKind kind, const TDataContext& context);

// The dialog's column of rows, its first row below the lent tool buttons.
QVBoxLayout* NewDialogLayout(QWidget& dialog);

QLabel* NewLabel(QWidget& parent, const char* name);

// A button added to Row; Caption shows until the language file gives one.
QPushButton* AddButton(QWidget& parent, QBoxLayout& row, const char* name, const char* caption);

// A number field of Kind holding at most MaxLength characters, right-aligned.
TQNEdit* NewNumberField(QWidget& parent, const char* name, TEditKind kind, int maxLength);

// Sets Field's value, a whole number in an integer field.
void SetNumber(TQNEdit& field, double value);

// Whether Field holds no number: empty text, or its empty value.
bool IsEmptyField(const TQNEdit& field);

// A display-only whole number with its label in row Row of Grid.
TQNEdit* AddCounter(QWidget& parent, QGridLayout& grid, int row, const char* labelName, const char* fieldName);

}  // namespace cv
