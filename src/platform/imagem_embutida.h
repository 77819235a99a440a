#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace plataforma {

// Reads a picture in a format Qt decodes itself (PNG, BMP) without asking the image format
// plugins. Left to autodetect, QImageReader loads every plugin installed (TIFF, WebP, SVG, MNG
// and their libraries, over a megabyte of memory) only to ask each whether it reads the format.
// A null image when the file is missing or not a picture of that format.
QImage LerImagem(const QString& caminho, const char* formato);
QImage LerImagem(const QByteArray& dados, const char* formato);

// A BMP of 256 colours, uncompressed (the kind the cabinet picture is), straight into full
// colour: the colours Qt's own reader gives, without its 256-colour copy to convert afterwards.
// A null image for any other kind of file, and for one whose pixels name a colour its table
// lacks (Qt's reader is then the judge).
QImage LerBmpDe256Cores(const QByteArray& dados);

}  // namespace plataforma
