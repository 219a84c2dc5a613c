// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/VrpSettingDialog.h"

#include "locations/ULocationTarget.h"
#include "ui/Guard.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace vistal::ui {

namespace {

QString VrpFilter() {
    return TfrmVrpSetting::tr("VRPﾌｧｲﾙ(*.vrp)|*.vrp|全てのﾌｧｲﾙ|*");
}

} // namespace

TfrmVrpSetting::TfrmVrpSetting(TGlobal& global, TPrompt& prompt, QWidget* parent)
    : QDialog(parent), global_(global), prompt_(prompt) {
    setObjectName("frmVrpSetting");
    setWindowTitle(tr("おすすめ座標に関する設定"));
    ckbVrpLoad = new QCheckBox(tr("起動時にVRP(おすすめ座標)ﾌｧｲﾙを読み込む(&I)"), this);
    ckbVrpLoad->setObjectName("ckbVrpLoad");
    edtVrpFile = new QLineEdit(this);
    edtVrpFile->setObjectName("edtVrpFile");
    edtVrpFile->setMinimumWidth(280);
    bbnBrowse = new QPushButton(tr("参照(&B)..."), this);
    bbnBrowse->setObjectName("bbnBrowse");
    ckbVcp = new QCheckBox(tr("ﾊﾟﾚｯﾄ(VCP)が指定してあればそれで描画する(&P)"), this);
    ckbVcp->setObjectName("ckbVcp");
    ckbTitleSorted = new QCheckBox(tr("ﾀｲﾄﾙのｿｰﾄをする(&S)"), this);
    ckbTitleSorted->setObjectName("ckbTitleSorted");
    bbnOk = new QPushButton(QStringLiteral("&OK"), this);
    bbnOk->setObjectName("bbnOk");
    bbnOk->setDefault(true);
    bbnCancel = new QPushButton(tr("ｷｬﾝｾﾙ(&C)"), this);
    bbnCancel->setObjectName("bbnCancel");

    auto* file = new QHBoxLayout;
    file->addSpacing(20); // under the check box's text
    file->addWidget(edtVrpFile, 1);
    file->addWidget(bbnBrowse);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbnOk);
    buttons->addWidget(bbnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ckbVrpLoad);
    layout->addLayout(file);
    layout->addSpacing(8);
    layout->addWidget(ckbVcp);
    layout->addWidget(ckbTitleSorted);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // FormCreate
    dialogFileName_ = QString::fromStdString(global_.AutoLoadFile);
    ckbVcp->setToolTip(tr("VRPﾌｧｲﾙでVCPﾌｧｲﾙが指定してある時に\n"
                          "そのVCPﾌｧｲﾙを使って描画する場合は\n"
                          "ﾁｪｯｸしてください"));

    const auto on = [this](QAbstractButton* button, void (TfrmVrpSetting::*handler)()) {
        connect(button, &QAbstractButton::clicked, this,
                [this, handler] { Guarded(prompt_, [&] { (this->*handler)(); }); });
    };
    on(ckbVrpLoad, &TfrmVrpSetting::ckbVrpLoadClick);
    on(bbnBrowse, &TfrmVrpSetting::bbnBrowseClick);
    on(bbnOk, &TfrmVrpSetting::bbnOkClick);
    connect(bbnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmVrpSetting::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) Guarded(prompt_, [this] { FormActivate(); });
}

void TfrmVrpSetting::FormActivate() {
    edtVrpFile->setText(QString::fromStdString(global_.AutoLoadFile));
    ckbVrpLoad->setChecked(global_.AutoLoad);
    ckbTitleSorted->setChecked(global_.TitleSorted);
    ckbVcp->setChecked(global_.RestoreVcp);
    ckbVrpLoadClick();
}

void TfrmVrpSetting::ckbVrpLoadClick() {
    const bool load = ckbVrpLoad->isChecked();
    edtVrpFile->setEnabled(load);
    bbnBrowse->setEnabled(load);
}

void TfrmVrpSetting::bbnBrowseClick() {
    TFileRequest request;
    request.Title = tr("VRPﾌｧｲﾙの指定");
    request.Filter = VrpFilter();
    request.FileName = dialogFileName_;
    request.MustExist = true;
    const std::optional<TFileChoice> choice = prompt_.OpenFile(request);
    if (!choice) return;
    dialogFileName_ = choice->FileName;
    edtVrpFile->setText(choice->FileName);
}

void TfrmVrpSetting::bbnOkClick() {
    global_.AutoLoad = ckbVrpLoad->isChecked();
    global_.TitleSorted = ckbTitleSorted->isChecked();
    global_.RestoreVcp = ckbVcp->isChecked();
    if (ckbVrpLoad->isChecked()) {
        const QString file = edtVrpFile->text();
        if (!IsExistingFile(file.toStdString())) {
            prompt_.ShowError(tr("起動時に読み込む VRP ﾌｧｲﾙ\r\n%1\r\nがありません").arg(file));
            return;
        }
        global_.AutoLoadFile = file.toStdString();
    }
    accept();
}

} // namespace vistal::ui
