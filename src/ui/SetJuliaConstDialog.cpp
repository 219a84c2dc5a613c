#include "ui/SetJuliaConstDialog.h"

#include "ui/CoordinateForm.h"
#include "ui/Guard.h"
#include "ui/NumberText.h"

#include <QLineEdit>
#include <QPushButton>

namespace vistal::ui {

TfrmSetJuliaConstDialog::TfrmSetJuliaConstDialog(TVistal& engine, TPrompt& prompt, QWidget* parent)
    : QDialog(parent), engine_(engine), prompt_(prompt) {
    setObjectName("frmSetJuliaConstDialog");
    setWindowTitle(QStringLiteral("じゅりあ定数の設定"));
    TCoordinateForm form(this, QStringLiteral("じゅりあ定数を入力してください"));
    edtReal = form.AddField("edtReal", QStringLiteral("実部"), FloatText(engine.JuliaSeed().Re));
    edtImag = form.AddField("edtImag", QStringLiteral("虚部"), FloatText(engine.JuliaSeed().Im));
    form.AddButtons(bbnOk, bbnCancel);
    bbnOk->setToolTip(QStringLiteral("今回の設定を有効にする"));

    connect(bbnOk, &QPushButton::clicked, this, [this] { Guarded(prompt_, [this] { bbnOkClick(); }); });
    connect(bbnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmSetJuliaConstDialog::bbnOkClick() {
    TComplex seed = engine_.JuliaSeed();
    if (!edtReal->text().isEmpty()) seed.Re = StrToFloat(edtReal->text());
    if (!edtImag->text().isEmpty()) seed.Im = StrToFloat(edtImag->text());
    engine_.SetJuliaSeed(seed);
    accept();
}

} // namespace vistal::ui
