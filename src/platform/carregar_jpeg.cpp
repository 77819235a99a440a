#include "platform/carregar_jpeg.h"

#include <QFile>
#include <sys/stat.h>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace plataforma {
namespace {

// libjpeg's default error manager calls exit(); ours jumps back and counts warnings, so that a
// truncated file (two warnings and a grey-filled picture) counts as unreadable.
struct GerenteDeErro {
    jpeg_error_mgr base;
    std::jmp_buf retorno;
    int avisos = 0;
};

void aoErro(j_common_ptr cinfo) {
    auto* g = reinterpret_cast<GerenteDeErro*>(cinfo->err);
    std::longjmp(g->retorno, 1);
}

void aoMensagem(j_common_ptr cinfo, int nivel) {
    auto* g = reinterpret_cast<GerenteDeErro*>(cinfo->err);
    if (nivel < 0) ++g->avisos;  // warnings only; trace messages are ignored
}

void semSaida(j_common_ptr) {}

}  // namespace

QImage DecodificarJpeg(const QByteArray& dados) {
    if (dados.size() < 4) return QImage();
    jpeg_decompress_struct cinfo;
    GerenteDeErro erro;
    cinfo.err = jpeg_std_error(&erro.base);
    erro.base.error_exit = aoErro;
    erro.base.emit_message = aoMensagem;
    erro.base.output_message = semSaida;

    // Everything that must survive a longjmp lives outside the setjmp scope.
    QImage imagem;
    if (setjmp(erro.retorno)) {
        jpeg_destroy_decompress(&cinfo);
        return QImage();
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(dados.constData()),
                 static_cast<unsigned long>(dados.size()));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK ||
        static_cast<long long>(cinfo.image_width) * cinfo.image_height > kMaiorAreaDeJpeg) {
        jpeg_destroy_decompress(&cinfo);
        return QImage();
    }
    cinfo.out_color_space = JCS_EXT_BGRX;  // libjpeg-turbo writes QImage's RGB32 layout directly
    jpeg_start_decompress(&cinfo);
    imagem = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB32);
    if (imagem.isNull()) {
        jpeg_destroy_decompress(&cinfo);
        return QImage();
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW linha = imagem.scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &linha, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    if (erro.avisos > 0) return QImage();
    return imagem;
}

QImage CarregarJpeg(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) return QImage();
    // A reel picture is a few kilobytes; refuse to slurp something absurd.
    if (arquivo.size() > 64LL * 1024 * 1024) return QImage();
    return DecodificarJpeg(arquivo.readAll());
}

}  // namespace plataforma

namespace plataforma {

QImage JpegsGuardados::Carregar(const QString& caminho) {
    struct stat st {};
    if (::stat(QFile::encodeName(caminho).constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        m_guardados.remove(caminho);
        return QImage();
    }
    const long long ns = (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
    auto it = m_guardados.find(caminho);
    if (it != m_guardados.end() && it->tamanho == st.st_size && it->modificadoNs == ns) return it->imagem;
    QImage imagem = CarregarJpeg(caminho);
    if (imagem.isNull()) {
        m_guardados.remove(caminho);
        return imagem;
    }
    m_guardados.insert(caminho, Guardado{st.st_size, ns, imagem});
    return imagem;
}

}  // namespace plataforma
