#include "Cidade.h"

#include <vector>

#include "Partes.h"

namespace cidade {

void gerar(const std::string& raiz) {
    const std::vector<Cidade> cidades = {cidade1(), cidade2(), cidade3()};
    for (const Cidade& c : cidades) {
        escrever(raiz, c);
        medalhas::gerar(raiz, c.numero, c.referencia);
    }
    escreverLista(raiz, cidades);
}

}  // namespace cidade
