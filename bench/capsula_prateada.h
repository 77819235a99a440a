// The cabinet's silver capsule ("Apostar 10"), as the capsule-paint benchmarks draw it.
#pragma once

#include "controls/DsFancyButton.h"

inline void ComoCapsulaPrateada(TDsFancyButton& b) {
    b.resize(156, 60);
    b.setColor(QColor(192, 192, 192));
    b.FancyEffects()->setFrameWidth(14);
    b.FancyEffects()->setShape(btnCapsule);
    b.FancyEffects()->setTextStyle(txShadowed);
    QFont f("Verdana");
    f.setPixelSize(21);
    b.setFont(f);
    b.setCaption("Apostar 10");
}
