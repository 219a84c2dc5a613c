// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/OptionDialog.h"

#include "ui/Guard.h"
#include "ui/RadioGroup.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vistal::ui {

namespace {

template <class T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QScrollBar* RatioBar(QWidget* parent, const char* name, int min, int max) {
    auto* bar = Named(new QScrollBar(Qt::Horizontal, parent), name);
    bar->setRange(min, max);
    bar->setPageStep(1);
    bar->setMinimumWidth(160);
    return bar;
}

// One folder separator at the end goes; the root folder stays the root.
QString WithoutTrailingSeparator(QString folder) {
    if (folder.size() > 1 && folder.endsWith('/')) folder.chop(1);
    return folder;
}

} // namespace

TfrmOption::TfrmOption(TGlobal& global, TPrompt& prompt, QWidget* parent)
    : QDialog(parent), global_(global), prompt_(prompt) {
    setObjectName("frmOption");
    setWindowTitle(tr("びすたるのオプション"));
    pgcOption = Named(new QTabWidget(this), "pgcOption");
    // Every page's tab in view: the dialog is as wide as the tabs need.
    pgcOption->setUsesScrollButtons(false);

    // ﾌｫﾙﾀﾞ
    auto* folders = new QWidget;
    ckbBmpSet = Named(new QCheckBox(tr("BMPﾌｧｲﾙの保存先を指定する"), folders), "ckbBmpSet");
    ckbBmpSet->setToolTip(tr("BMPﾌｧｲﾙの保存先を指定する場合にﾁｪｯｸしてください"));
    edtBmpSet = Named(new QLineEdit(folders), "edtBmpSet");
    edtBmpSet->setToolTip(tr("BMPﾌｧｲﾙの保存先のﾌｫﾙﾀﾞ名を入力してください"));
    btnBmpRef = Named(new QPushButton(tr("参照(&B)..."), folders), "btnBmpRef");
    ckbVcpSet = Named(new QCheckBox(tr("VCPﾌｧｲﾙの読込元を指定する"), folders), "ckbVcpSet");
    ckbVcpSet->setToolTip(tr("VCPﾌｧｲﾙの読み込み元を指定する場合にﾁｪｯｸしてください"));
    edtVcpSet = Named(new QLineEdit(folders), "edtVcpSet");
    edtVcpSet->setToolTip(tr("VCPﾌｧｲﾙの読み込み元のﾌｫﾙﾀﾞ名を入力してください"));
    btnVcpRef = Named(new QPushButton(tr("参照(&R)..."), folders), "btnVcpRef");
    edtBmpSet->setMinimumWidth(edtBmpSet->fontMetrics().averageCharWidth() * 44);
    {
        auto* grid = new QGridLayout(folders);
        grid->setColumnMinimumWidth(0, 20);
        grid->addWidget(ckbBmpSet, 0, 0, 1, 3);
        grid->addWidget(edtBmpSet, 1, 1);
        grid->addWidget(btnBmpRef, 1, 2);
        grid->setRowMinimumHeight(2, 12);
        grid->addWidget(ckbVcpSet, 3, 0, 1, 3);
        grid->addWidget(edtVcpSet, 4, 1);
        grid->addWidget(btnVcpRef, 4, 2);
        grid->setRowStretch(5, 1);
    }
    pgcOption->addTab(folders, tr("ﾌｫﾙﾀﾞ"));

    // 描画方法
    auto* drawPage = new QWidget;
    rdgDraw =
        Named(new TRadioGroup(tr("起動時の描画方法を選んでください"),
                              {tr("普通"), tr("探索"), tr("境界走査"), tr("浮き出し"), tr("簡易ｱﾝﾁｴﾘｱｼﾝｸﾞ")},
                              2, drawPage),
              "rdgDraw");
    (new QVBoxLayout(drawPage))->addWidget(rdgDraw);
    pgcOption->addTab(drawPage, tr("描画方法"));

    // 書換頻度
    auto* refreshPage = new QWidget;
    auto* refreshGroup =
        Named(new QGroupBox(tr("起動時の書換頻度を指定してください"), refreshPage), "grpRefresh");
    rdb1_9 = Named(new QRadioButton(tr("１～９"), refreshGroup), "rdb1_9");
    srbRefresh = RatioBar(refreshGroup, "srbRefresh", 1, 9);
    lblRefreshMany = Named(new QLabel(tr("１(多い)"), refreshGroup), "lblRefreshMany");
    lblRefreshFew = Named(new QLabel(tr("９(少ない)"), refreshGroup), "lblRefreshFew");
    lblRefreshValueCaption = Named(new QLabel(tr("値："), refreshGroup), "lblRefreshValueCaption");
    lblRefreshValue = Named(new QLabel(refreshGroup), "lblRefreshValue");
    rdbNone = Named(new QRadioButton(tr("なし"), refreshGroup), "rdbNone");
    {
        auto* grid = new QGridLayout(refreshGroup);
        grid->setColumnMinimumWidth(0, 20);
        grid->addWidget(rdb1_9, 0, 0, 1, 4);
        grid->addWidget(lblRefreshMany, 1, 1);
        grid->addWidget(srbRefresh, 1, 2);
        grid->addWidget(lblRefreshFew, 1, 3);
        auto* value = new QHBoxLayout;
        value->addWidget(lblRefreshValueCaption);
        value->addWidget(lblRefreshValue);
        value->addStretch();
        grid->addLayout(value, 2, 2);
        grid->addWidget(rdbNone, 3, 0, 1, 4);
        grid->setColumnStretch(4, 1);
        grid->setRowStretch(4, 1);
    }
    (new QVBoxLayout(refreshPage))->addWidget(refreshGroup);
    pgcOption->addTab(refreshPage, tr("書換頻度"));

    // ﾗﾊﾞｰﾊﾞﾝﾄﾞ
    auto* bandPage = new QWidget;
    rdgRubberBand = Named(new TRadioGroup(tr("起動時のﾗﾊﾞｰﾊﾞﾝﾄﾞを選んでください"),
                                          {tr("２頂点"), tr("中心と頂点")}, 1, bandPage),
                          "rdgRubberBand");
    (new QVBoxLayout(bandPage))->addWidget(rdgRubberBand);
    pgcOption->addTab(bandPage, tr("ﾗﾊﾞｰﾊﾞﾝﾄﾞ"));

    // 高速化
    auto* speedPage = new QWidget;
    ckbHalf = Named(new QCheckBox(tr("対称性を利用した高速化を行う"), speedPage), "ckbHalf");
    ckbMove = Named(new QCheckBox(tr("高速化のための座標補正を行う"), speedPage), "ckbMove");
    lblRaito = Named(new QLabel(tr("補正の割合"), speedPage), "lblRaito");
    lblRaitoSmall = Named(new QLabel(tr("小"), speedPage), "lblRaitoSmall");
    srbRaito = RatioBar(speedPage, "srbRaito", 1, 5);
    lblRaitoLarge = Named(new QLabel(tr("大"), speedPage), "lblRaitoLarge");
    {
        auto* grid = new QGridLayout(speedPage);
        grid->setColumnMinimumWidth(0, 20);
        grid->addWidget(ckbHalf, 0, 0, 1, 5);
        grid->addWidget(ckbMove, 1, 1, 1, 4);
        grid->addWidget(lblRaito, 2, 2, 1, 3);
        grid->addWidget(lblRaitoSmall, 3, 2);
        grid->addWidget(srbRaito, 3, 3);
        grid->addWidget(lblRaitoLarge, 3, 4);
        grid->setColumnMinimumWidth(1, 20);
        grid->setColumnStretch(5, 1);
        grid->setRowStretch(4, 1);
    }
    pgcOption->addTab(speedPage, tr("高速化"));

    // 壁紙
    auto* wallPage = new QWidget;
    auto* wallGroup = Named(new QGroupBox(tr("壁紙用ファイルの名前"), wallPage), "grpKabegami");
    rdbFree = Named(new QRadioButton(tr("毎回指定"), wallGroup), "rdbFree");
    rdbFix = Named(new QRadioButton(tr("固定ファイル名"), wallGroup), "rdbFix");
    edtKabegami = Named(new QLineEdit(wallGroup), "edtKabegami");
    {
        auto* grid = new QGridLayout(wallGroup);
        grid->setColumnMinimumWidth(0, 20);
        grid->addWidget(rdbFree, 0, 0, 1, 2);
        grid->addWidget(rdbFix, 1, 0, 1, 2);
        grid->addWidget(edtKabegami, 2, 1);
        grid->setRowStretch(3, 1);
    }
    (new QVBoxLayout(wallPage))->addWidget(wallGroup);
    pgcOption->addTab(wallPage, tr("壁紙"));

    // 言語: the locale's, Japanese or English, from the next start on.
    auto* languagePage = new QWidget;
    rdgLanguage = Named(new TRadioGroup(tr("起動時の言語を選んでください"),
                                        {tr("ロケールに従う"), tr("日本語"), tr("English")}, 1, languagePage),
                        "rdgLanguage");
    (new QVBoxLayout(languagePage))->addWidget(rdgLanguage);
    pgcOption->addTab(languagePage, tr("言語"));

    bbnOk = Named(new QPushButton(tr("了解(&O)"), this), "bbnOk");
    bbnOk->setDefault(true);
    bbnCancel = Named(new QPushButton(tr("ｷｬﾝｾﾙ(&C)"), this), "bbnCancel");
    bbnApply = Named(new QPushButton(tr("更新(&A)"), this), "bbnApply");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbnOk);
    buttons->addWidget(bbnCancel);
    buttons->addWidget(bbnApply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pgcOption);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Every handler runs through the guard.
    auto on = [this](auto* sender, auto signal, void (TfrmOption::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { Guarded(prompt_, [this, handler] { (this->*handler)(); }); });
    };
    on(ckbBmpSet, &QCheckBox::toggled, &TfrmOption::ckbBmpSetClick);
    on(ckbVcpSet, &QCheckBox::toggled, &TfrmOption::ckbVcpSetClick);
    on(btnBmpRef, &QPushButton::clicked, &TfrmOption::btnBmpRefClick);
    on(btnVcpRef, &QPushButton::clicked, &TfrmOption::btnVcpRefClick);
    on(rdb1_9, &QRadioButton::toggled, &TfrmOption::rdbRefreshClick);
    on(srbRefresh, &QScrollBar::valueChanged, &TfrmOption::srbRefreshChange);
    on(ckbHalf, &QCheckBox::toggled, &TfrmOption::ckbSpeedUpClick);
    on(ckbMove, &QCheckBox::toggled, &TfrmOption::ckbSpeedUpClick);
    on(rdbFix, &QRadioButton::toggled, &TfrmOption::rdbKabegamiClick);
    on(bbnOk, &QPushButton::clicked, &TfrmOption::bbnOkClick);
    on(bbnApply, &QPushButton::clicked, &TfrmOption::bbnApplyClick);
    connect(bbnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmOption::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Only when the program shows the dialog, not when the desktop restores it:
    // filling then would throw away what the user has typed.
    if (!event->spontaneous()) Guarded(prompt_, [this] { FormActivate(); });
}

void TfrmOption::FormActivate() {
    pgcOption->setCurrentIndex(0);

    edtVcpSet->setText(QString::fromStdString(global_.RawVcpFiles()));
    ckbVcpSet->setChecked(global_.VcpAlways);
    edtBmpSet->setText(QString::fromStdString(global_.RawBmpFiles()));
    ckbBmpSet->setChecked(global_.BmpAlways);
    ckbBmpSetClick();
    ckbVcpSetClick();

    rdgDraw->SetItemIndex(global_.StartDrawMode >= 1 && global_.StartDrawMode <= 4 ? global_.StartDrawMode
                                                                                   : 0);

    if (global_.RefreshRate > 9) global_.RefreshRate = 9;
    if (global_.RefreshRate > 0) {
        rdb1_9->setChecked(true);
        srbRefresh->setValue(global_.RefreshRate);
    } else {
        rdbNone->setChecked(true);
        srbRefresh->setValue(5);
    }
    rdbRefreshClick();
    srbRefreshChange();

    rdgRubberBand->SetItemIndex(global_.RubberBand <= 1 ? global_.RubberBand : 0);

    ckbMove->setChecked(global_.Adjusted);
    srbRaito->setValue(global_.Adjust());
    ckbHalf->setChecked(global_.Half);
    ckbSpeedUpClick();

    (global_.KabegamiMode ? rdbFix : rdbFree)->setChecked(true);
    edtKabegami->setText(QString::fromStdString(global_.KabegamiFileName));
    rdbKabegamiClick();

    rdgLanguage->SetItemIndex(!global_.Language ? 0 : *global_.Language == TLanguage::Japanese ? 1 : 2);
}

bool TfrmOption::Apply() {
    // The BMP folder first: when it is refused, nothing at all is applied.
    if (ckbBmpSet->isChecked()) {
        const QString folder = edtBmpSet->text();
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            pgcOption->setCurrentIndex(0);
            edtBmpSet->setFocus();
            prompt_.ShowError(folder.isEmpty() ? tr("フォルダ名を入力して下さい")
                                               : tr("%1がありません").arg(folder));
            return false;
        }
        global_.BmpAlways = true;
        global_.SetBmpFiles(WithoutTrailingSeparator(folder).toStdString());
    } else {
        global_.BmpAlways = false;
        emit BmpFolderReleased();
    }

    if (ckbVcpSet->isChecked()) {
        global_.VcpAlways = true;
        global_.SetVcpFiles(WithoutTrailingSeparator(edtVcpSet->text()).toStdString());
    } else {
        global_.VcpAlways = false;
        emit VcpFolderReleased();
    }

    if (rdgDraw->ItemIndex() >= 0) global_.StartDrawMode = static_cast<std::uint8_t>(rdgDraw->ItemIndex());
    global_.RefreshRate = rdbNone->isChecked() ? 0 : srbRefresh->value();
    const int band = rdgRubberBand->ItemIndex();
    global_.RubberBand = band == 0 || band == 1 ? static_cast<std::uint8_t>(band) : 0;
    global_.Half = ckbHalf->isChecked();
    global_.Adjusted = ckbMove->isChecked();
    global_.SetAdjust(srbRaito->value());
    global_.KabegamiMode = !rdbFree->isChecked();
    global_.KabegamiFileName = edtKabegami->text().toStdString();
    const int language = rdgLanguage->ItemIndex();
    if (language == 0) global_.Language.reset();
    if (language == 1) global_.Language = TLanguage::Japanese;
    if (language == 2) global_.Language = TLanguage::English;
    return true;
}

void TfrmOption::ckbBmpSetClick() {
    edtBmpSet->setEnabled(ckbBmpSet->isChecked());
    btnBmpRef->setEnabled(ckbBmpSet->isChecked());
}

void TfrmOption::ckbVcpSetClick() {
    edtVcpSet->setEnabled(ckbVcpSet->isChecked());
    btnVcpRef->setEnabled(ckbVcpSet->isChecked());
}

void TfrmOption::ChooseFolder(QCheckBox* box, QLineEdit* edit) {
    // The picker covers the whole tree from "/" and starts at the folder typed.
    const QString typed = edit->text();
    const QString start = !typed.isEmpty() && QFileInfo(typed).isDir() ? typed : QStringLiteral("/");
    if (std::optional<QString> folder = prompt_.ChooseFolder(box->text(), start)) edit->setText(*folder);
}

void TfrmOption::btnBmpRefClick() {
    ChooseFolder(ckbBmpSet, edtBmpSet);
}

void TfrmOption::btnVcpRefClick() {
    ChooseFolder(ckbVcpSet, edtVcpSet);
}

void TfrmOption::rdbRefreshClick() {
    const bool on = rdb1_9->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(srbRefresh), static_cast<QWidget*>(lblRefreshMany),
                       static_cast<QWidget*>(lblRefreshFew), static_cast<QWidget*>(lblRefreshValueCaption),
                       static_cast<QWidget*>(lblRefreshValue)})
        w->setEnabled(on);
}

void TfrmOption::srbRefreshChange() {
    lblRefreshValue->setNum(srbRefresh->value());
}

void TfrmOption::ckbSpeedUpClick() {
    ckbMove->setEnabled(ckbHalf->isChecked());
    const bool ratio = ckbHalf->isChecked() && ckbMove->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(srbRaito), static_cast<QWidget*>(lblRaito),
                       static_cast<QWidget*>(lblRaitoSmall), static_cast<QWidget*>(lblRaitoLarge)})
        w->setEnabled(ratio);
}

void TfrmOption::rdbKabegamiClick() {
    edtKabegami->setEnabled(rdbFix->isChecked());
}

void TfrmOption::bbnOkClick() {
    if (Apply()) accept();
}

void TfrmOption::bbnApplyClick() {
    Apply();
}

} // namespace vistal::ui
