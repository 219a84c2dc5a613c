#include "ui/Move.h"

#include "ui/CoordinateForm.h"
#include "ui/Guard.h"
#include "ui/NumberText.h"

#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace vistal::ui {

TfrmMove::TfrmMove(TVistal& engine, TPrompt& prompt, QWidget* parent)
    : QDialog(parent), engine_(engine), prompt_(prompt) {
    setObjectName("frmMove");
    setWindowTitle(QStringLiteral("座標指定"));
    TCoordinateForm form(this, QStringLiteral("新しい中心の座標と幅を入力してください"));
    edtReal = form.AddField("edtReal", QStringLiteral("実部"), FloatText(engine.Center().Re));
    edtImag = form.AddField("edtImag", QStringLiteral("虚部"), FloatText(engine.Center().Im));
    edtWidth = form.AddField("edtWidth", QStringLiteral("幅(虚)"), FloatText(engine.ImSpan()));
    form.AddButtons(bbnOk, bbnCancel);

    connect(bbnOk, &QPushButton::clicked, this, [this] { Guarded(prompt_, [this] { bbnOkClick(); }); });
    connect(bbnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmMove::bbnOkClick() {
    TComplex center = engine_.Center();
    if (!edtReal->text().isEmpty()) center.Re = StrToFloat(edtReal->text());
    if (!edtImag->text().isEmpty()) center.Im = StrToFloat(edtImag->text());
    engine_.SetCenter(center);
    if (!edtWidth->text().isEmpty()) {
        const double width = StrToFloat(edtWidth->text());
        if (width != 0.0) engine_.SetImSpan(std::fabs(width));
    }
    accept();
}

} // namespace vistal::ui
