#include "Cidade.h"

#include <vector>

namespace cidade {

void gerar(const std::string& raiz) {
    const std::vector<Cidade> cidades = {cidade1(), cidade2(), cidade3()};
    for (const Cidade& c : cidades) escrever(raiz, c);
    escreverLista(raiz, cidades);
}

}  // namespace cidade
