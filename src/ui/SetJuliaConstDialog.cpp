// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SetJuliaConstDialog.h"

#include "ui/CoordinateForm.h"
#include "ui/Guard.h"
#include "ui/NumberText.h"

#include <QLineEdit>
#include <QPushButton>

namespace vistal::ui {

TfrmSetJuliaConstDialog::TfrmSetJuliaConstDialog(TExplorer& explorer, TPrompt& prompt, QWidget* parent)
    : QDialog(parent), explorer_(explorer), prompt_(prompt) {
    setObjectName("frmSetJuliaConstDialog");
    setWindowTitle(tr("じゅりあ定数の設定"));
    TCoordinateForm form(this, tr("じゅりあ定数を入力してください"));
    const TComplex seed = explorer.Place().JuliaSeed;
    edtReal = form.AddField("edtReal", tr("実部"), FloatText(seed.Re));
    edtImag = form.AddField("edtImag", tr("虚部"), FloatText(seed.Im));
    form.AddButtons(bbnOk, bbnCancel);
    bbnOk->setToolTip(tr("今回の設定を有効にする"));

    connect(bbnOk, &QPushButton::clicked, this, [this] { Guarded(prompt_, [this] { bbnOkClick(); }); });
    connect(bbnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmSetJuliaConstDialog::bbnOkClick() {
    TViewPlace place = explorer_.Place();
    if (!edtReal->text().isEmpty()) place.JuliaSeed.Re = StrToFloat(edtReal->text());
    if (!edtImag->text().isEmpty()) place.JuliaSeed.Im = StrToFloat(edtImag->text());
    explorer_.MoveTo(place);
    accept();
}

} // namespace vistal::ui
