#include "engine/ViewPlace.h"

#include "engine/UPosition.h"
#include "engine/vistal_class.h"

namespace vistal {

TViewPlace PlaceOf(const TVistal& engine) {
    TViewPlace place{engine.Formula(), engine.Center(), engine.ImSpan(), engine.Pow(), {}};
    if (place.Formula == fmJulia) place.JuliaSeed = engine.JuliaSeed();
    return place;
}

TViewPlace PlaceOf(const TPosition& position) {
    TViewPlace place{position.FormulaKind(), position.Center, position.ImSpan, position.Pow, {}};
    if (place.Formula == fmJulia) place.JuliaSeed = position.GetJuliaSeed();
    return place;
}

void SetPlace(TVistal& engine, const TViewPlace& place) {
    engine.SetCenter(place.Center);
    engine.SetPow(place.Pow);
    engine.SetImSpan(place.ImSpan);
    if (place.Formula == fmJulia) engine.SetJuliaSeed(place.JuliaSeed);
}

} // namespace vistal
