#include "MapaControle.h"

#include <cstdlib>

namespace {

// An axis resting this far out is a trigger, not a stick.
const int REPOUSO_DE_GATILHO = 64;
// A trigger counts as pressed past half its travel.
const int MEIO_CURSO = 128;

enum Direcao { ESQUERDA = 1, DIREITA = 2, CIMA = 4, BAIXO = 8 };

bool tem(unsigned botoes, int b) { return (botoes >> b) & 1u; }

}  // namespace

MapaControle::MapaControle() : repousoLido(false), repouso(), botoesAntes(0), direcaoAntes(0) {}

MapaControle::Comandos MapaControle::traduzir(const Leitura& leitura) {
    Comandos c;
    if (!leitura.presente) {
        botoesAntes = 0;
        direcaoAntes = 0;
        return c;
    }
    if (!repousoLido || repouso.size() != leitura.eixos.size()) {
        repouso.clear();
        for (const Eixo& e : leitura.eixos) repouso.push_back(e.posicao);
        repousoLido = true;
    }
    int direcao = 0;
    bool gatilho = false;
    for (size_t i = 0; i < leitura.eixos.size(); i++) {
        const int p = leitura.eixos[i].posicao;
        if (std::abs(repouso[i]) > REPOUSO_DE_GATILHO) {
            gatilho = gatilho || std::abs(p - repouso[i]) > MEIO_CURSO;
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
