// The outline of a shaped window in device pixels. QWidget::setMask takes a region in the
// window's own pixels and the platform scales it by the device pixel ratio, so on a screen scaled
// 2x every pixel step of the outline became a 2 x 2 step; the X server takes any outline at all.
#pragma once

#include <QRegion>

class QWindow;

namespace plataforma {

// Sets the window's outline (its bounding shape) to `regiao`, in device pixels of the window's
// client area. True when done: X11 only, and only for a window that exists on the server;
// elsewhere the Qt mask stays as it was.
bool DefinirContornoEmPixelsDoDispositivo(QWindow* janela, const QRegion& regiao);

}  // namespace plataforma
