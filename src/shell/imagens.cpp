#include "shell/imagens.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <system_error>

#include "platform/carregar_jpeg.h"
#include "platform/idioma.h"
#include "platform/imagem_embutida.h"

namespace apresentacao {
namespace {

QImage lerDoRecurso(const QString& caminho) {
    if (caminho.endsWith(QLatin1String(".bmp"))) {
        QFile f(caminho);
        if (!f.open(QIODevice::ReadOnly)) return QImage();
        const QByteArray dados = f.readAll();
        const QImage figura = plataforma::LerBmpDe256Cores(dados);
        return figura.isNull() ? plataforma::LerImagem(dados, "bmp") : figura;
    }
    if (caminho.endsWith(QLatin1String(".png"))) return plataforma::LerImagem(caminho, "png");
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) return QImage();
    return plataforma::DecodificarJpeg(f.readAll());
}

QImage comLetreiros(QImage figura, const QString& caminho) {
    const QString idioma = plataforma::IdiomaDoJogo();
    if (figura.isNull() || idioma.isEmpty()) return figura;
    const QFileInfo nome(caminho);
    QString letreiros = nome.path() + QLatin1Char('/') + idioma + QLatin1Char('/') + nome.completeBaseName() +
                        QLatin1String(".png");
    if (figura.devicePixelRatio() == 2) letreiros = NomeEm2x(letreiros);
    QImage sobre = plataforma::LerImagem(letreiros, "png");
    sobre.setDevicePixelRatio(1);  // read from an "@2x" name it comes with a ratio of 2: laid pixel for pixel
    if (sobre.size() != figura.size()) return figura;  // none for this picture
    const qreal razao = figura.devicePixelRatio();
    figura = figura.convertToFormat(QImage::Format_RGB32);
    figura.setDevicePixelRatio(1);
    QPainter(&figura).drawImage(0, 0, sobre);
    figura.setDevicePixelRatio(razao);
    return figura;
}

}  // namespace

QImage FiguraDoRecurso(const QString& caminho, int escala, const QString& caminho2x) {
    if (escala == 2) {
        QImage figura = lerDoRecurso(caminho2x.isEmpty() ? NomeEm2x(caminho) : caminho2x);
        if (!figura.isNull()) {
            figura.setDevicePixelRatio(2);
            return comLetreiros(figura, caminho);
        }
    }
    return comLetreiros(lerDoRecurso(caminho), caminho);
}

std::future<QImage> FiguraEmSegundoPlano(const QString& caminho, int escala, const QString& caminho2x) {
    const auto ler = [=] {
        const QImage figura = FiguraDoRecurso(caminho, escala, caminho2x);
        return figura.hasAlphaChannel() ? figura : figura.convertToFormat(QImage::Format_RGB32);
    };
    try {
        return std::async(std::launch::async, ler);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, ler);
    }
}

QIcon IconeDoJogo() {
    QFile arquivo(QStringLiteral(":/icone/trevolino.argb"));
    const QByteArray pixeis = arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
    QIcon icone;
    qsizetype inicio = 0;
    for (int lado : {16, 22, 24, 32, 48, 64, 128}) {
        const qsizetype bytes = qsizetype(lado) * lado * 4;
        if (inicio + bytes > pixeis.size()) break;
        // Over the bytes read; the pixmap takes its own copy.
        const QImage imagem(reinterpret_cast<const uchar*>(pixeis.constData() + inicio), lado, lado, lado * 4,
                            QImage::Format_ARGB32);
        icone.addPixmap(QPixmap::fromImage(imagem));
        inicio += bytes;
    }
    return icone;
}

}  // namespace apresentacao
