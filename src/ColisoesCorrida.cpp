#include "ColisoesCorrida.h"

#include "LogicaColisao.h"
#include "LogicaNPC.h"

int ColisoesCorrida::tratar(LogicaColisao* colisao, Carro* jogador, LogicaNPC* npc) {
    colisao->tratamentoColisaoComPredios(jogador);
    colisao->tratamentoColisaoComLimites(jogador);
    // Traffic knocked off its lane meets the same buildings as the player's
    // car instead of driving across the roofs. The map's edges stay open to
    // it: that is where it leaves.
    for (int i = 0, encontrados = 0; i < npc->getMaxCarros() && encontrados < npc->getActiveCarro(); i++) {
        Carro* carro = npc->getCarro(i);
        if (!isNoMapa(carro)) continue;
        encontrados++;
        colisao->tratamentoColisaoComPredios(carro);
    }
    // The player's contacts are counted afresh each frame; a pile-up that
    // lasts from the last frame does not stall the car again, so a gear
    // engaged in it holds and the player can drive out.
    jogador->setEmPilha(jogador->colidiu > 2);
    jogador->colidiu = 0;
    int contatos = 0;
    percorrerParesProximos(jogador, npc, [colisao, &contatos](Carro* a, Carro* b) {
        contatos += colisao->tratamentoColisaoEntreCarros(a, b);
    });
    return contatos;
}
