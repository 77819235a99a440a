// The executable's version block: a fixed-file-info record in an ELF section of its own, read
// back from the file by ObterVersaoDoExecutavel. Only a program that asks for it by name (the
// game) carries it.
#include <cstdint>

#include "platform/versao_bloco.h"

// Of external linkage, so that a program can ask the linker for it by name.
extern "C"
    [[gnu::used,
      gnu::section(TREVOLINO_SECAO_DA_VERSAO)]] const plataforma::BlocoDeVersao trevolino_bloco_de_versao = {
        plataforma::kAssinatura,
        0x00010000u,
        (std::uint32_t(TREVOLINO_VERSION_MAJOR) << 16) | std::uint32_t(TREVOLINO_VERSION_MINOR),
        (std::uint32_t(TREVOLINO_VERSION_PATCH) << 16) | std::uint32_t(TREVOLINO_VERSION_TWEAK),
};
