// Registry of test classes that one program runs together (executar_registrados.cpp is its main).
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

using FabricaDeTeste = std::function<QObject*()>;
inline std::vector<FabricaDeTeste>& testesRegistrados() {
    static std::vector<FabricaDeTeste> v;
    return v;
}
struct RegistroDeTeste {
    explicit RegistroDeTeste(FabricaDeTeste f) { testesRegistrados().push_back(std::move(f)); }
};
#define REGISTRAR_TESTE(Classe) \
    static RegistroDeTeste registro_##Classe([] { return static_cast<QObject*>(new Classe); })
