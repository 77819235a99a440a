// Registry of the installer area's test classes (one program runs them all).
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

using FabricaDeTeste = std::function<QObject*()>;
inline std::vector<FabricaDeTeste>& testesDoInstalador() {
    static std::vector<FabricaDeTeste> v;
    return v;
}
struct RegistroDeTeste {
    explicit RegistroDeTeste(FabricaDeTeste f) { testesDoInstalador().push_back(std::move(f)); }
};
#define REGISTRAR_TESTE(Classe) \
    static RegistroDeTeste registro_##Classe([] { return static_cast<QObject*>(new Classe); })
