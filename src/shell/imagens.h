// Pictures for the screen's pixels. Each picture of the cabinet and the reels exists in the
// cabinet's own pixels and painted again at twice the size, named with "@2x" before the
// extension ("limao.jpg", "limao@2x.jpg"); a screen scaled 1.5x or more gets the 2x one.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>
#include <QtGlobal>
#include <future>

namespace apresentacao {

// Pixels of the picture to use per cabinet pixel on a device of that pixel ratio: 1 or 2.
inline int EscalaPara(qreal razao) { return razao >= 1.5 ? 2 : 1; }

// "pasta/nome.jpg" -> "pasta/nome@2x.jpg".
inline QString NomeEm2x(const QString& caminho) {
    const qsizetype ponto = caminho.lastIndexOf(QLatin1Char('.'));
    if (ponto <= caminho.lastIndexOf(QLatin1Char('/'))) return caminho + QLatin1String("@2x");
    return caminho.left(ponto) + QLatin1String("@2x") + caminho.mid(ponto);
}

// A picture built into the program (":/form/..."; JPEG, PNG or BMP by its extension) for
// `escala`: at 2 its 2x version (`caminho2x`, by default NomeEm2x(caminho)) with its ratio set,
// so it is drawn at half its size; the 1x one otherwise or when the 2x one is missing. When the
// game's language paints its own lettering for the picture (":/form/en/ChassisFundo.png" for
// ":/form/ChassisFundo.bmp", at the same scale), that is laid over it.
QImage FiguraDoRecurso(const QString& caminho, int escala, const QString& caminho2x = QString());

// The same picture read on a second thread while the caller goes on, and brought to full colour
// there when it is opaque (the form it is painted from): the start-up builds the controls
// meanwhile. Read on the caller's thread at get() when no thread can be had.
std::future<QImage> FiguraEmSegundoPlano(const QString& caminho, int escala,
                                         const QString& caminho2x = QString());

// The clover for taskbars and Alt+Tab: the sizes from 16 to 128 px, as the pixels the PNG files
// of the icon theme decode to, which the build keeps beside them; taken as they are, no PNG is
// decoded before the window opens. Taskbars and Alt+Tab draw smaller than 128 px, and the 256 px
// picture alone held 0.2 MiB more; the installed theme keeps every size for the launchers. Sizes
// the program does not carry are left out.
QIcon IconeDoJogo();

}  // namespace apresentacao
