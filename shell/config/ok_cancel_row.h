#pragma once
// The row of OK and Cancel buttons at the foot of the shell's dialogs: OK
// (named OkName; the default button when OkIsDefault) runs OnOk, Cancel
// ("BBCancel") rejects without checking the dialog's number fields.

#include <QDialog>
#include <QVBoxLayout>
#include <functional>

namespace cv {

void AddOkCancelRow(QDialog& dialog, QVBoxLayout& layout, const char* okName, bool okIsDefault,
                    std::function<void()> onOk);

}  // namespace cv
