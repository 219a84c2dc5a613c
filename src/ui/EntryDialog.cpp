// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EntryDialog.h"

#include "locations/ULocationTarget.h"
#include "locations/URecommendation.h"
#include "ui/Guard.h"
#include "ui/Language.h"
#include "ui/VrpDialog.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vistal::ui {

namespace {

QString VrpFilter() {
    return TfrmEntry::tr("VRPﾌｧｲﾙ(*.vrp)|*.vrp|全てのﾌｧｲﾙ|*");
}
QString VcpFilter() {
    return TfrmEntry::tr("VCPﾌｧｲﾙ(*.VCP)|*.vcp|全てのﾌｧｲﾙ|*");
}

QLineEdit* Edit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QLabel* Caption(QWidget* parent, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TfrmEntry::TfrmEntry(TExplorer& explorer, TfrmVrpDialog& vrpDialog, TPrompt& prompt, QWidget* parent)
    : QDialog(parent), explorer_(explorer), vrpDialog_(vrpDialog), prompt_(prompt) {
    setObjectName("frmEntry");
    edtVrp = Edit(this, "edtVrp");
    bbnSaveFileNameBrowse = Button(this, "bbnSaveFileNameBrowse", tr("参照(&B)..."));
    edtTitle = Edit(this, "edtTitle");
    edtVcp = Edit(this, "edtVcp");
    bbnVcpBrows = Button(this, "bbnVcpBrows", tr("参照(&R)..."));
    edtMemo = Edit(this, "edtMemo");
    bbnEntry = Button(this, "bbnEntry", tr("登録(&E)"));
    bbnEntry->setDefault(true);
    bbnCancel = Button(this, "bbnCancel", tr("ｷｬﾝｾﾙ(&C)"));

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->addWidget(Caption(this, tr("VRPﾌｧｲﾙ(&F)"), edtVrp), 0, 0);
    fields->addWidget(edtVrp, 0, 1);
    fields->addWidget(bbnSaveFileNameBrowse, 0, 2);
    fields->addWidget(Caption(this, tr("ﾀｲﾄﾙ(&T)"), edtTitle), 1, 0);
    fields->addWidget(edtTitle, 1, 1, 1, 2);

    // The view being registered.
    auto* view = new QGroupBox(tr("座標"), this);
    view->setObjectName("grbView");
    auto* viewRows = new QGridLayout(view);
    viewRows->setHorizontalSpacing(12);
    viewRows->setVerticalSpacing(3);
    BuildDetails(view, viewRows, 0);
    viewRows->setColumnStretch(1, 1);

    auto* more = new QGridLayout;
    more->setHorizontalSpacing(8);
    more->addWidget(Caption(this, tr("V C P(&V)"), edtVcp), 0, 0);
    more->addWidget(edtVcp, 0, 1);
    more->addWidget(bbnVcpBrows, 0, 2);
    more->addWidget(Caption(this, tr("メ  モ(&M)"), edtMemo), 1, 0);
    more->addWidget(edtMemo, 1, 1, 1, 2);
    // The captions of both tables share one width, so the edits line up.
    int captionWidth = 0;
    for (QGridLayout* grid : {fields, more})
        for (int r = 0; r < grid->rowCount(); ++r)
            if (QLayoutItem* item = grid->itemAtPosition(r, 0))
                captionWidth = std::max(captionWidth, item->widget()->sizeHint().width());
    fields->setColumnMinimumWidth(0, captionWidth);
    more->setColumnMinimumWidth(0, captionWidth);
    edtVrp->setMinimumWidth(300);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbnEntry);
    buttons->addWidget(bbnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(view);
    layout->addLayout(more);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const auto on = [this](QPushButton* button, void (TfrmEntry::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { Guarded(prompt_, [&] { (this->*handler)(); }); });
    };
    on(bbnSaveFileNameBrowse, &TfrmEntry::bbnSaveFileNameBrowseClick);
    on(bbnVcpBrows, &TfrmEntry::bbnVcpBrowsClick);
    on(bbnEntry, &TfrmEntry::bbnEntryClick);
    connect(bbnCancel, &QPushButton::clicked, this, &QDialog::reject);
    // The caption names the list file as it is typed.
    connect(edtVrp, &QLineEdit::textChanged, this, [this] { UpdateEntryCaption(); });
    UpdateEntryCaption();
}

void TfrmEntry::setVisible(bool visible) {
    if (visible && !isVisible()) Guarded(prompt_, [this] { FormActivate(); });
    QDialog::setVisible(visible);
}

void TfrmEntry::FormActivate() {
    const TGlobal& g = explorer_.Global();
    edtVrp->setText(QString::fromStdString(g.CurrentVrpFile));
    UpdateEntryCaption();
    edtTitle->clear();
    edtVcp->setText(QString::fromStdString(BaseNameWithoutExtension(g.PaletteName)));
    edtMemo->clear();
    ClearDetails();
    ShowDetails(explorer_.Place(), explorer_.Engine().Height());
    vrpInitialDir_ =
        g.AutoLoad ? QFileInfo(QString::fromStdString(g.AutoLoadFile)).absolutePath() : QString();
    vcpInitialDir_ = QString::fromStdString(g.VcpFiles());
    edtTitle->setFocus();
}

void TfrmEntry::UpdateEntryCaption() {
    QString caption = tr("おすすめ座標の登録");
    if (!edtVrp->text().isEmpty())
        caption += QStringLiteral("(") + QFileInfo(edtVrp->text()).fileName() + QStringLiteral(")");
    setWindowTitle(caption);
}

void TfrmEntry::bbnSaveFileNameBrowseClick() {
    TFileRequest request;
    request.Title = tr("VRPﾌｧｲﾙの指定");
    request.Filter = VrpFilter();
    request.DefaultSuffix = QStringLiteral("vrp");
    request.InitialDir = vrpInitialDir_;
    if (IsExistingFile(edtVrp->text().toStdString())) request.FileName = edtVrp->text();
    // The record is appended: an existing list is what the user looks for.
    request.ConfirmOverwrite = false;
    const std::optional<TFileChoice> choice = prompt_.SaveFile(request);
    if (!choice) return;
    edtVrp->setText(choice->FileName);
    UpdateEntryCaption();
}

void TfrmEntry::bbnVcpBrowsClick() {
    TFileRequest request;
    request.Title = tr("VCPﾌｧｲﾙを開く");
    request.Filter = VcpFilter();
    request.InitialDir = vcpInitialDir_;
    request.MustExist = true;
    const std::optional<TFileChoice> choice = prompt_.OpenFile(request);
    if (!choice || !IsExistingFile(choice->FileName.toStdString())) return;
    edtVcp->setText(QString::fromStdString(BaseNameWithoutExtension(choice->FileName.toStdString())));
}

void TfrmEntry::bbnEntryClick() {
    const std::string file = edtVrp->text().toStdString();
    const TRecordTexts texts{edtTitle->text().toStdString(), edtVcp->text().toStdString(),
                             edtMemo->text().toStdString()};
    const std::string error = RegisterRecord(file, texts, explorer_.Engine(), InterfaceLanguage());
    if (!error.empty()) {
        prompt_.ShowError(QString::fromStdString(error));
        return;
    }
    // The record is written. The list in use is now this file; a reload that
    // fails is reported and keeps this dialog open.
    explorer_.Global().CurrentVrpFile = file;
    vrpDialog_.LoadList(edtVrp->text());
    accept();
}

} // namespace vistal::ui
