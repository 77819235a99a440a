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
// colour: the colours Qt's own reader gives, without its 256-colour copy and without its look
// at the installed image plugins. A null image for any other kind of file.
QImage LerBmpDe256Cores(const QByteArray& dados);

// A new picture whose pixels lie in memory the kernel may give in 2 MiB pages. Each 4 KiB page a
// program first writes costs it a fault; on a virtual machine a fault costs about 10 us, so a
// full-window picture (470 small pages) takes about 5 ms to fill, and a single large page a tenth
// of a millisecond. Where the kernel gives no large pages, and for a picture under a megabyte,
// the picture is an ordinary one, the same pixels either way; a null image when the memory cannot
// be had.
QImage ImagemEmPaginasGrandes(int largura, int altura, QImage::Format formato);

// Lets go of the memory pages that hold bytes read in place from the program's own file (an
// uncompressed resource) once they are decoded: they stop counting in the program's memory and
// come back from the file should they be read again. Bytes anywhere else are left alone.
void DevolverPaginasLidas(const void* inicio, qsizetype tamanho);

}  // namespace plataforma
