#include "platform/forma_da_janela.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <vector>

namespace plataforma {

bool DefinirContornoEmPixelsDoDispositivo(QWindow* janela, const QRegion& regiao) {
    if (!janela || !janela->handle() || QGuiApplication::platformName() != QLatin1String("xcb")) return false;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* conexao = x11 ? x11->connection() : nullptr;
    if (!conexao) return false;
    std::vector<xcb_rectangle_t> retangulos;
    retangulos.reserve(size_t(regiao.rectCount()));
    for (const QRect& r : regiao)
        retangulos.push_back({int16_t(r.x()), int16_t(r.y()), uint16_t(r.width()), uint16_t(r.height())});
    // The rectangles of a QRegion come in y-x bands, the ordering the server handles fastest.
    xcb_shape_rectangles(conexao, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_YX_BANDED,
                         xcb_window_t(janela->winId()), 0, 0, uint32_t(retangulos.size()), retangulos.data());
    xcb_flush(conexao);
    return true;
}

}  // namespace plataforma
