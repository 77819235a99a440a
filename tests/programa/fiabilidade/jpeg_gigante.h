// Writes a real baseline JPEG of any size one row at a time (a 100-megapixel picture costs a
// row of memory to make), for the tests of enormous pictures.
#pragma once

#include <QString>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

inline bool EscreverJpegGigante(const QString& caminho, int largura, int altura) {
    FILE* f = std::fopen(caminho.toLocal8Bit().constData(), "wb");
    if (!f) return false;
    jpeg_compress_struct c;
    jpeg_error_mgr erro;
    c.err = jpeg_std_error(&erro);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = JDIMENSION(largura);
    c.image_height = JDIMENSION(altura);
    c.input_components = 1;
    c.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 10, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<unsigned char> linha(size_t(largura), 128);
    JSAMPROW p = linha.data();
    while (c.next_scanline < c.image_height) jpeg_write_scanlines(&c, &p, 1);
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    return std::fclose(f) == 0;
}
