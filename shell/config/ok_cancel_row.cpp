#include "shell/config/ok_cancel_row.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "ui/fields/qn_edit.h"

namespace cv {

void AddOkCancelRow(QDialog& dialog, QVBoxLayout& layout, const char* okName, bool okIsDefault,
                    std::function<void()> onOk) {
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QString::fromLatin1(okName));
    ok->setDefault(okIsDefault);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
    cancel->setObjectName(QStringLiteral("BBCancel"));
    MarkDiscardsEdits(*cancel);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout.addLayout(buttons);
    QObject::connect(ok, &QPushButton::clicked, &dialog, std::move(onOk));
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
}

}  // namespace cv
