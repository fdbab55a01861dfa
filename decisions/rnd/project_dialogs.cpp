#include "decisions/rnd/project_dialogs.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>

#include "core/language/language_file.h"
#include "core/store/typed_array.h"
#include "decisions/rnd/project_name_mask.h"
#include "decisions/rnd/rnd_form_parts.h"
#include "model/rnd/mod_rnd.h"
#include "ui/cp1252.h"
#include "ui/reading_order.h"
#include "ui/title_room.h"

namespace cv {

namespace {

QLineEdit* NewNameField(QWidget& parent, const char* name, const TModRnD& model, const std::string& text) {
    auto* field = new QLineEdit(&parent);
    field->setObjectName(QString::fromLatin1(name));
    SetProjectNameMask(*field, model, text);
    return field;
}

QListWidget* NewList(QWidget& parent, const char* name) {
    auto* list = new QListWidget(&parent);
    list->setObjectName(QString::fromLatin1(name));
    return list;
}

std::string SelectedText(const QListWidget& list) {
    const QListWidgetItem* item = list.currentRow() >= 0 ? list.currentItem() : nullptr;
    return item ? QStringToCp1252(item->text()) : std::string();
}

double RequiredBudget(const TModRnD& model, int prototype) {
    return static_cast<double>(model.ProFins->GetReal48({prototype, model.Fin.ProReqBgt}));
}

void AddViewButton(QWidget& parent, QBoxLayout& row, const TModRnD& model, TProtoListKind kind) {
    QPushButton* view = AddButton(parent, row, "BBViewRnDReport", "Projects...");
    QObject::connect(view, &QPushButton::clicked, &parent,
                     [&parent, &model, kind] { ShowProjectsReport(parent, kind, model.Context); });
}

// OK (named OkName, the default button) runs OnOk; Cancel rejects.
void AddOkCancel(QDialog& dialog, QBoxLayout& row, const char* okName, const std::function<void()>& onOk) {
    row.addStretch(1);
    QPushButton* ok = AddButton(dialog, row, okName, "OK");
    ok->setDefault(true);
    QPushButton* cancel = AddButton(dialog, row, "BBCancel", "Cancel");
    QObject::connect(ok, &QPushButton::clicked, &dialog, onOk);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
}

}  // namespace

TFoNewPrj::TFoNewPrj(QWidget* owner, const TModRnD& model) : TQNForm(owner), model_(model) {
    KeepReadingOrder(*this);
    setObjectName(QStringLiteral("FoNewPrj"));
    auto* layout = NewDialogLayout(*this);
    auto* namePanel = new QFrame(this);
    namePanel->setObjectName(QStringLiteral("Panel1"));
    auto* nameRow = new QHBoxLayout(namePanel);
    nameRow->addWidget(NewLabel(*namePanel, "LProjName"));
    MEProjName_ = NewNameField(*namePanel, "MEProjName", model, {});
    nameRow->addWidget(MEProjName_);
    layout->addWidget(namePanel);

    auto* basePanel = new QFrame(this);
    basePanel->setObjectName(QStringLiteral("Panel2"));
    basePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* baseColumn = new QVBoxLayout(basePanel);
    auto* choiceRow = new QHBoxLayout;
    UsePrjBase_ = new QCheckBox(basePanel);
    UsePrjBase_->setObjectName(QStringLiteral("UsePrjBase"));
    UsePrjBase_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    choiceRow->addWidget(UsePrjBase_);
    LProtoChoiceMsg_ = NewLabel(*basePanel, "LProtoChoiceMsg");
    LProtoChoiceMsg_->setCursor(Qt::PointingHandCursor);
    choiceRow->addWidget(LProtoChoiceMsg_, 1);
    baseColumn->addLayout(choiceRow);
    LBExistProto_ = NewList(*basePanel, "LBExistProto");
    LBExistProto_->setSortingEnabled(true);
    baseColumn->addWidget(LBExistProto_);
    auto* viewRow = new QHBoxLayout;
    viewRow->addStretch(1);
    AddViewButton(*basePanel, *viewRow, model, TProtoListKind::AvailablePrototypes);
    baseColumn->addLayout(viewRow);
    layout->addWidget(basePanel);

    auto* buttons = new QHBoxLayout;
    AddOkCancel(*this, *buttons, "BBCreateProj", [this] { BBCreateProjClick(); });
    layout->addLayout(buttons);

    for (int prototype = 1; prototype <= model.NbPros; ++prototype)
        if (RequiredBudget(model, prototype) == 0)
            LBExistProto_->addItem(Cp1252ToQString(model.ProNames->GetZts({prototype})));
    const bool anyBase = LBExistProto_->count() > 0;
    UsePrjBase_->setChecked(anyBase);
    UsePrjBase_->setEnabled(anyBase);
    AdjustExistProtoList();
    connect(UsePrjBase_, &QCheckBox::clicked, this, &TFoNewPrj::AdjustExistProtoList);
    LProtoChoiceMsg_->installEventFilter(this);
    connect(LBExistProto_, &QListWidget::itemClicked, this, [this] {
        MEProjName_->selectAll();
        MEProjName_->setFocus();
    });
    TranslateForm();
    adjustSize();
}

void TFoNewPrj::AdjustExistProtoList() {
    LBExistProto_->setEnabled(UsePrjBase_->isChecked());
    if (!LBExistProto_->isEnabled()) LBExistProto_->setCurrentRow(-1);
}

bool TFoNewPrj::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LProtoChoiceMsg_ && event->type() == QEvent::MouseButtonRelease && UsePrjBase_->isEnabled()) {
        UsePrjBase_->click();
        return true;
    }
    return TQNForm::eventFilter(watched, event);
}

std::string TFoNewPrj::ProjectName() const { return TypedProjectName(*MEProjName_); }

std::string TFoNewPrj::BasePrototype() const { return UsesBase() ? SelectedText(*LBExistProto_) : std::string(); }

void TFoNewPrj::BBCreateProjClick() {
    const std::string name = ProjectName();
    if (!IsCompleteProjectName(name)) {
        ShowDevDecsError(kNameIncomplete);
        MEProjName_->setFocus();
    } else if (!model_.IsFreeName(name)) {
        ShowDevDecsError(kNameUsed);
        MEProjName_->setFocus();
    } else if (UsesBase() && BasePrototype().empty()) {
        ShowDevDecsError(kNoBasePrototype);
        LBExistProto_->setFocus();
    } else {
        accept();
    }
}

TFoPrjName::TFoPrjName(QWidget* owner, const TModRnD& model, const std::string& oldName)
    : TQNForm(owner), model_(model), OldName(oldName) {
    KeepReadingOrder(*this);
    setObjectName(QStringLiteral("FoPrjName"));
    auto* layout = NewDialogLayout(*this);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(NewLabel(*this, "LNewProjName"));
    MEProjName_ = NewNameField(*this, "MEProjName", model, oldName);
    MEProjName_->selectAll();
    nameRow->addWidget(MEProjName_);
    layout->addLayout(nameRow);
    auto* buttons = new QHBoxLayout;
    AddOkCancel(*this, *buttons, "BBOk", [this] { BBOkClick(); });
    layout->addLayout(buttons);
    setFocusProxy(MEProjName_);
    TranslateForm();
    LeaveRoomForTitle(*this);
    adjustSize();
}

std::string TFoPrjName::ProjectName() const { return TypedProjectName(*MEProjName_); }

// The project's own name, in any letter case, is taken without a check.
void TFoPrjName::BBOkClick() {
    const std::string name = ProjectName();
    if (!SameTextAscii(name, OldName)) {
        if (!IsCompleteProjectName(name)) {
            ShowDevDecsError(kNameIncomplete);
            MEProjName_->setFocus();
            return;
        }
        if (!model_.IsFreeName(name)) {
            ShowDevDecsError(kNameUsed);
            MEProjName_->setFocus();
            return;
        }
    }
    accept();
}

TFoReIntro::TFoReIntro(QWidget* owner, const TModRnD& model) : TQNForm(owner) {
    KeepReadingOrder(*this);
    setObjectName(QStringLiteral("FoReIntro"));
    auto* layout = NewDialogLayout(*this);
    layout->addWidget(NewLabel(*this, "LSuspendedProto"));
    LBExistProto_ = NewList(*this, "LBExistProto");
    layout->addWidget(LBExistProto_);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(NewLabel(*this, "LProjName"));
    EProjName_ = new QLineEdit(this);
    EProjName_->setObjectName(QStringLiteral("EProjName"));
    EProjName_->setEnabled(false);
    nameRow->addWidget(EProjName_);
    layout->addLayout(nameRow);
    auto* buttons = new QHBoxLayout;
    AddViewButton(*this, *buttons, model, TProtoListKind::OnGoingProjects);
    AddOkCancel(*this, *buttons, "BBOk", [this] { accept(); });
    layout->addLayout(buttons);

    for (int prototype = 1; prototype <= model.NbPros; ++prototype) {
        const std::string& name = model.ProNames->GetZts({prototype});
        if (RequiredBudget(model, prototype) > 0 && !model.IsProject(name))
            LBExistProto_->addItem(Cp1252ToQString(name));
    }
    NbSuspended = LBExistProto_->count();
    connect(LBExistProto_, &QListWidget::currentTextChanged, EProjName_, &QLineEdit::setText);
    if (NbSuspended > 0) LBExistProto_->setCurrentRow(0);
    TranslateForm();
    adjustSize();
}

std::string TFoReIntro::PrototypeName() const { return QStringToCp1252(EProjName_->text()); }

}  // namespace cv
