// Layout of the version block carried inside the executable (like a fixed file info record).
#pragma once

#include <cstdint>

#define TREVOLINO_SECAO_DA_VERSAO ".trevolino.versao"

namespace plataforma {

inline constexpr std::uint32_t kAssinatura = 0xFEEF04BDu;

struct BlocoDeVersao {
    std::uint32_t assinatura;     // kAssinatura
    std::uint32_t versaoDoBloco;  // 1.0
    std::uint32_t versaoMS;       // major << 16 | minor
    std::uint32_t versaoLS;       // release << 16 | build
};
static_assert(sizeof(BlocoDeVersao) == 16);

}  // namespace plataforma
