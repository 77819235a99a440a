// Reel pictures written to order, for tests that play rounds on the cabinet window.
#pragma once

#include <QColor>
#include <QDir>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

#include "game/simbolos.h"

namespace apoio {

// Writes every symbol's picture, bright and dark, into `pasta`/Bobinas/ as a JPEG of one plain
// colour, `cor(simbolo, escuro)`; false when one could not be written.
inline bool gravarQuadrosDasBobinas(const QString& pasta, const QSize& tamanho,
                                    const std::function<QColor(int simbolo, bool escuro)>& cor,
                                    int qualidade = -1) {
    if (!QDir(pasta).mkpath("Bobinas")) return false;
    for (int s = 1; s <= jogo::kSimbolos; ++s) {
        const auto nome = jogo::NomeDoDesenho(s);
        for (bool escuro : {false, true}) {
            QImage img(tamanho, QImage::Format_RGB32);
            img.fill(cor(s, escuro));
            const QString arquivo = pasta + "/Bobinas/" + QString::fromLatin1(nome.data(), qsizetype(nome.size())) +
                                    (escuro ? "-dark.jpg" : ".jpg");
            if (!img.save(arquivo, "JPEG", qualidade)) return false;
        }
    }
    return true;
}

}  // namespace apoio
