#include "RastroCarros.h"

#include <algorithm>
#include <cmath>

#include "Carro.h"
#include "ConstantesGerais.h"

namespace {
// rotate_sprite rounds to whole pixels.
const int FOLGA = 2;
}  // namespace

RastroCarros::RastroCarros(int ultimaLinha, int ultimaColuna)
    : ultimaLinha(ultimaLinha), ultimaColuna(ultimaColuna), atuais(), anteriores(),
      listada((ultimaLinha + 1) * (ultimaColuna + 1), false) {}

void RastroCarros::marcar(const Carro* carro) { marcar(carro->getPosicao(), carro->getW(), carro->getH()); }

void RastroCarros::marcar(Vetor p, int w, int h) {
    const float raio = static_cast<float>(std::ceil(std::hypot(w, h) / 2) + FOLGA);
    // Clamped to the map before the cast: a car half off the map is drawn clipped.
    auto celula = [](float px, int ultima) {
        const float c = std::floor(px / LADO_TILE);
        return !(c >= 0.0f) ? 0 : c > ultima ? ultima : static_cast<int>(c);
    };
    const int linha0 = celula(p.getX() - raio, ultimaLinha);
    const int linha1 = celula(p.getX() + raio, ultimaLinha);
    const int coluna0 = celula(p.getY() - raio, ultimaColuna);
    const int coluna1 = celula(p.getY() + raio, ultimaColuna);
    for (int r = linha0; r <= linha1; r++)
        for (int c = coluna0; c <= coluna1; c++) atuais.push_back(r * (ultimaColuna + 1) + c);
}

void RastroCarros::listar(std::list<Vetor>& tiles) {
    const int colunas = ultimaColuna + 1;
    std::fill(listada.begin(), listada.end(), false);
    for (const Vetor& t : tiles) listada[static_cast<int>(t.getX()) * colunas + static_cast<int>(t.getY())] = true;
    for (const std::vector<int>* celulas : {&anteriores, &atuais}) {
        for (int i : *celulas) {
            if (!listada[i]) {
                listada[i] = true;
                tiles.push_front(Vetor(static_cast<float>(i / colunas), static_cast<float>(i % colunas)));
            }
        }
    }
    anteriores.swap(atuais);
    atuais.clear();
}
