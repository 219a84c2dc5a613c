#include "ui/Move.h"

#include "ui/CoordinateForm.h"
#include "ui/Guard.h"
#include "ui/NumberText.h"

#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace vistal::ui {

TfrmMove::TfrmMove(TExplorer& explorer, TPrompt& prompt, QWidget* parent)
    : QDialog(parent), explorer_(explorer), prompt_(prompt) {
    setObjectName("frmMove");
    setWindowTitle(tr("座標指定"));
    TCoordinateForm form(this, tr("新しい中心の座標と幅を入力してください"));
    const TViewPlace place = explorer.Place();
    edtReal = form.AddField("edtReal", tr("実部"), FloatText(place.Center.Re));
    edtImag = form.AddField("edtImag", tr("虚部"), FloatText(place.Center.Im));
    edtWidth = form.AddField("edtWidth", tr("幅(虚)"), FloatText(place.ImSpan));
    form.AddButtons(bbnOk, bbnCancel);

    connect(bbnOk, &QPushButton::clicked, this, [this] { Guarded(prompt_, [this] { bbnOkClick(); }); });
    connect(bbnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmMove::bbnOkClick() {
    TViewPlace place = explorer_.Place();
    if (!edtReal->text().isEmpty()) place.Center.Re = StrToFloat(edtReal->text());
    if (!edtImag->text().isEmpty()) place.Center.Im = StrToFloat(edtImag->text());
    explorer_.MoveTo(place);
    if (!edtWidth->text().isEmpty()) {
        const double width = StrToFloat(edtWidth->text());
        if (width != 0.0) {
            place.ImSpan = std::fabs(width);
            explorer_.MoveTo(place);
        }
    }
    accept();
}

} // namespace vistal::ui
