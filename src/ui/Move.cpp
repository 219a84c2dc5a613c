// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Move.h"

#include "ui/CoordinateForm.h"
#include "ui/Guard.h"
#include "ui/NumberText.h"

#include <QLineEdit>
#include <QPushButton>

namespace vistal::ui {

TfrmMove::TfrmMove(TExplorer& explorer, TPrompt& prompt, QWidget* parent)
    : QDialog(parent), explorer_(explorer), prompt_(prompt) {
    setObjectName("frmMove");
    setWindowTitle(tr("座標指定"));
    TCoordinateForm form(this, tr("新しい中心の座標と幅を入力してください"));
    const TPlaceTexts texts = PlaceTexts(explorer.Place().Position, explorer.Engine().Height());
    edtReal = form.AddField("edtReal", tr("実部"), texts.Re);
    edtImag = form.AddField("edtImag", tr("虚部"), texts.Im);
    edtWidth = form.AddField("edtWidth", tr("幅(虚)"), texts.Span);
    // Centres of hundreds of digits fit in the field; the field scrolls.
    for (QLineEdit* edit : {edtReal, edtImag})
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(34, QLatin1Char('0'))));
    form.AddButtons(bbnOk, bbnCancel);

    connect(bbnOk, &QPushButton::clicked, this, [this] { Guarded(prompt_, [this] { bbnOkClick(); }); });
    connect(bbnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmMove::bbnOkClick() {
    // Every digit typed is taken; a view that doubles draw keeps their
    // nearest values, as it always has.
    TViewPlace place = explorer_.Place();
    // The centre to the bits the new view needs: "0.1" is exact at a span of
    // 1E-100, not the 64 bits nearest to it.
    const std::optional<TFloatExp> typedWidth = TDeepPosition::ParseSpan(edtWidth->text().toStdString());
    const TFloatExp span = typedWidth && !typedWidth->IsZero() ? *typedWidth : place.Position.Span;
    const long bits = TDeepPosition::BitsFor(span, explorer_.Engine().Height());
    if (!edtReal->text().isEmpty()) place.Position.Re = StrToCoordinate(edtReal->text(), bits);
    if (!edtImag->text().isEmpty()) place.Position.Im = StrToCoordinate(edtImag->text(), bits);
    explorer_.MoveToTyped(place);
    if (!edtWidth->text().isEmpty()) {
        const TFloatExp width = StrToSpan(edtWidth->text());
        if (!width.IsZero()) {
            place.Position.Span = width;
            explorer_.MoveToTyped(place);
        }
    }
    accept();
}

} // namespace vistal::ui
