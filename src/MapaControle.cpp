#include "MapaControle.h"

#include <cstdlib>

namespace {

// A trigger counts as pressed past half its travel.
const int MEIO_CURSO = 128;
// An axis this far out is at an end; one that moves less than this stays still.
const int FIM = 112;
const int TREMOR = 8;
// Not learnt yet.
const int NENHUM = 10000;

enum Direcao { ESQUERDA = 1, DIREITA = 2, CIMA = 4, BAIXO = 8 };

bool tem(unsigned botoes, int b) { return (botoes >> b) & 1u; }

}  // namespace

MapaControle::MapaControle() : repousos(), botoesAntes(0), direcaoAntes(0) {}

void MapaControle::aprender(Repouso& r, int p) {
    if (std::abs(p - r.ancora) > TREMOR) {
        r.ancora = p;
        r.parado = 0;
        return;
    }
    r.parado++;
    const int lugar = std::abs(r.ancora) <= ZONA_MORTA ? 0 : r.ancora >= FIM ? 128 : r.ancora <= -FIM ? -128 : NENHUM;
    // A trigger held down is never at rest.
    if (lugar == NENHUM || lugar == r.lugar || (r.lugar != NENHUM && lugar == -r.lugar)) return;
    if (r.parado >= (r.lugar == 0 ? QUADROS_REPOUSO_LONGO : QUADROS_REPOUSO)) r.lugar = lugar;
}

MapaControle::Comandos MapaControle::traduzir(const Leitura& leitura) {
    Comandos c;
    if (!leitura.presente) {
        botoesAntes = 0;
        direcaoAntes = 0;
        return c;
    }
    if (repousos.size() != leitura.eixos.size()) repousos.assign(leitura.eixos.size(), Repouso{NENHUM, NENHUM, 0});
    int direcao = 0;
    bool gatilho = false;
    for (size_t i = 0; i < leitura.eixos.size(); i++) {
        const int p = leitura.eixos[i].posicao;
        aprender(repousos[i], p);
        const int repouso = repousos[i].lugar;
        if (repouso == NENHUM) {
            continue;
        } else if (repouso != 0) {
            gatilho = gatilho || std::abs(p - repouso) > MEIO_CURSO;
        } else if (leitura.eixos[i].horizontal) {
            direcao |= p < -ZONA_MORTA ? ESQUERDA : p > ZONA_MORTA ? DIREITA : 0;
        } else {
            direcao |= p < -ZONA_MORTA ? CIMA : p > ZONA_MORTA ? BAIXO : 0;
        }
    }
    const unsigned b = leitura.botoes;
    const unsigned novos = b & ~botoesAntes;
    const int novasDirecoes = direcao & ~direcaoAntes;
    botoesAntes = b;
    direcaoAntes = direcao;

    c.esquerda = direcao & ESQUERDA;
    c.direita = direcao & DIREITA;
    c.freio = tem(b, BOTAO_B);
    c.subir = tem(b, BOTAO_RB);
    c.descer = tem(b, BOTAO_LB);
    c.acelerador = tem(b, BOTAO_A) || gatilho;
    c.pausa = tem(novos, BOTAO_START);
    c.apertar = tem(novos, BOTAO_A);
    c.menuEsquerda = novasDirecoes & ESQUERDA;
    c.menuDireita = novasDirecoes & DIREITA;
    c.menuCima = novasDirecoes & CIMA;
    c.menuBaixo = novasDirecoes & BAIXO;
    return c;
}
