#include "shell/imagens.h"

#include <QFile>

#include "platform/carregar_jpeg.h"
#include "platform/imagem_embutida.h"

namespace imagens {
namespace {

QImage lerDoRecurso(const QString& caminho) {
    if (caminho.endsWith(QLatin1String(".bmp"))) return plataforma::LerImagem(caminho, "bmp");
    if (caminho.endsWith(QLatin1String(".png"))) return plataforma::LerImagem(caminho, "png");
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) return QImage();
    return plataforma::DecodificarJpeg(f.readAll());
}

}  // namespace

QImage FiguraDoRecurso(const QString& caminho, int escala, const QString& caminho2x) {
    if (escala == 2) {
        QImage figura = lerDoRecurso(caminho2x.isEmpty() ? NomeEm2x(caminho) : caminho2x);
        if (!figura.isNull()) {
            figura.setDevicePixelRatio(2);
            return figura;
        }
    }
    return lerDoRecurso(caminho);
}

}  // namespace imagens
