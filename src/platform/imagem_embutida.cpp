#include "platform/imagem_embutida.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace plataforma {

namespace {

QImage ler(QIODevice* dispositivo, const char* formato) {
    QImageReader leitor(dispositivo, formato);
    leitor.setAutoDetectImageFormat(false);
    return leitor.read();
}

}  // namespace

QImage LerImagem(const QString& caminho, const char* formato) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) return QImage();
    return ler(&arquivo, formato);
}

QImage LerImagem(const QByteArray& dados, const char* formato) {
    QByteArray copia = dados;
    QBuffer memoria(&copia);
    if (!memoria.open(QIODevice::ReadOnly)) return QImage();
    return ler(&memoria, formato);
}

}  // namespace plataforma
