// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ViewPlace.h"

#include "engine/UPosition.h"
#include "engine/vistal_class.h"

namespace vistal {

TViewPlace PlaceOf(const TVistal& engine) {
    TViewPlace place{engine.Formula(), engine.Position(), engine.Pow(), {}};
    if (place.Formula == fmJulia) place.JuliaSeed = engine.JuliaSeed();
    return place;
}

TViewPlace PlaceOf(const TPosition& position) {
    TViewPlace place{position.FormulaKind(), position.View(), position.Pow, {}};
    if (place.Formula == fmJulia) place.JuliaSeed = position.GetJuliaSeed();
    return place;
}

void SetPlace(TVistal& engine, const TViewPlace& place) {
    engine.SetPow(place.Pow);
    engine.SetPosition(place.Position);
    if (place.Formula == fmJulia) engine.SetJuliaSeed(place.JuliaSeed);
}

} // namespace vistal
