#ifndef COLISOESCORRIDA_H
#define COLISOESCORRIDA_H

#include <cmath>

#include "Carro.h"

class LogicaColisao;
class LogicaNPC;

// The collisions of a race frame: the player's car against buildings and
// the map's edges, every traffic car on the map against buildings, then
// every close pair of cars.
class ColisoesCorrida {
public:
    // Answers how many pairs touched.
    static int tratar(LogicaColisao* colisao, Carro* jogador, LogicaNPC* npc);

    // Every pair of cars on the map that is close enough to be tested, each
    // unordered pair once: the player against every traffic car, then the
    // traffic cars among themselves, lower slot first. Parked cars are
    // skipped and not counted; the walks stop once all active cars are met.
    // Frota is anything with getMaxCarros, getActiveCarro and getCarro.
    template <class Frota, class Testar>
    static void percorrerParesProximos(Carro* jogador, Frota* frota, Testar testar);

    // A parked traffic car stands at (-100, -100), off the map.
    static bool isNoMapa(const Carro* c) {
        return c->getPosicao().getX() != FORA_DO_MAPA && c->getPosicao().getY() != FORA_DO_MAPA;
    }

private:
    static constexpr float FORA_DO_MAPA = -100.0f;
    static constexpr int PORTAO_PARES = 127;

    // Far means more than 127 whole pixels apart, on both axes.
    static bool isProximoParaTeste(const Carro* a, const Carro* b) {
        const float dy = std::fabs(a->getPosicao().getY() - b->getPosicao().getY());
        const float dx = std::fabs(a->getPosicao().getX() - b->getPosicao().getX());
        return !(dy >= PORTAO_PARES + 1 && dx >= PORTAO_PARES + 1);
    }
};

template <class Frota, class Testar>
void ColisoesCorrida::percorrerParesProximos(Carro* jogador, Frota* frota, Testar testar) {
    const int maximo = frota->getMaxCarros();
    const int ativos = frota->getActiveCarro();

    int encontrados = 0;
    for (int i = 0; i < maximo && encontrados < ativos; i++) {
        Carro* carro = frota->getCarro(i);
        if (!isNoMapa(carro)) continue;
        encontrados++;
        if (isProximoParaTeste(jogador, carro)) testar(jogador, carro);
    }

    encontrados = 0;
    for (int i = 0; i < maximo && encontrados < ativos; i++) {
        Carro* primeiro = frota->getCarro(i);
        if (!isNoMapa(primeiro)) continue;
        encontrados++;
        int segundos = encontrados;
        for (int u = i + 1; u < maximo && segundos < ativos; u++) {
            Carro* segundo = frota->getCarro(u);
            if (!isNoMapa(segundo)) continue;
            segundos++;
            if (isProximoParaTeste(primeiro, segundo)) testar(primeiro, segundo);
        }
    }
}

#endif
