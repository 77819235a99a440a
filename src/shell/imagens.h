// Pictures for the screen's pixels. Each picture of the cabinet and the reels exists in the
// cabinet's own pixels and painted again at twice the size, named with "@2x" before the
// extension ("limao.jpg", "limao@2x.jpg"); a screen scaled 1.5x or more gets the 2x one.
#pragma once

#include <QString>
#include <QtGlobal>

namespace imagens {

// Pixels of the picture to use per cabinet pixel on a device of that pixel ratio: 1 or 2.
inline int EscalaPara(qreal razao) { return razao >= 1.5 ? 2 : 1; }

// "pasta/nome.jpg" -> "pasta/nome@2x.jpg".
inline QString NomeEm2x(const QString& caminho) {
    const qsizetype ponto = caminho.lastIndexOf(QLatin1Char('.'));
    if (ponto <= caminho.lastIndexOf(QLatin1Char('/'))) return caminho + QLatin1String("@2x");
    return caminho.left(ponto) + QLatin1String("@2x") + caminho.mid(ponto);
}

}  // namespace imagens
