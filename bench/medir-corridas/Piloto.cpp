#include "Piloto.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>

#include "Carro.h"
#include "CarroCalculos.h"
#include "TravaTeclas.h"

namespace {

// The middle lane of the avenue (rows 7 to 9), in map pixels down the map.
const float CENTRO_DA_FAIXA = 8 * 64 + 32;
// The driver aims at the lane this far ahead, in pixels.
const float OLHAR_ADIANTE = 160.0f;
// Wheel per radian of heading error, and how close the wheel must be.
const float GANHO_VOLANTE = 2.0f;
const float FOLGA_VOLANTE = 0.05f;
const float LIMITE_VOLANTE = 0.8f;
const float PI = 3.14159265f;

}  // namespace

Piloto::Piloto(Politica politica) : politica(politica) {}

const char* Piloto::nome(Politica politica) {
    switch (politica) {
        case PRIMEIRA: return "first gear";
        case SEGUNDA: return "up to second";
        case MELHOR: return "best gear";
    }
    return "?";
}

int Piloto::marchaQuerida(const Carro& carro) const {
    Carro copia = carro;
    CarroCalculos calculos;
    int melhor = 1;
    float maior = -1.0f;
    for (int marcha = 1; marcha <= 1 + static_cast<int>(politica); marcha++) {
        const float a =
            calculos.calcularAceleracao(copia.getVelMinIdealMarcha(), copia.getVelMaxIdealMarcha(),
                                        copia.getAceleracaoIdealMarcha(), 1.0f, marcha, carro.getModuloVelocidade());
        if (a > maior) {
            maior = a;
            melhor = marcha;
        }
    }
    return melhor;
}

void Piloto::dirigir(const Carro& carro) const {
    // Keys go down and up as the library reports them to the press latch.
    auto tecla = [](int k, bool baixa) { TravaTeclas::registrar(baixa ? k : k | 0x80); };
    // One shift per press: the keys go up for a frame after each shift.
    const int marcha = carro.getMarcha();
    const int querida = marchaQuerida(carro);
    const bool livre = !carro.getMudancaMarcha();
    tecla(KEY_E, livre && marcha < querida);
    tecla(KEY_Q, livre && marcha > querida);

    // Heading that reaches the lane's centre line ahead, and the wheel
    // that turns the car towards it (a growing angle turns down the map).
    const float rumo = std::atan2(CENTRO_DA_FAIXA - carro.getPosicao().getX(), OLHAR_ADIANTE);
    float erro = std::fmod(rumo - carro.getAngulo(), 2 * PI);
    if (erro > PI) erro -= 2 * PI;
    if (erro < -PI) erro += 2 * PI;
    const float querido = std::clamp(GANHO_VOLANTE * erro, -LIMITE_VOLANTE, LIMITE_VOLANTE);
    const float volante = carro.getAnguloVolante();
    tecla(KEY_D, volante < querido - FOLGA_VOLANTE);
    tecla(KEY_A, volante > querido + FOLGA_VOLANTE);
}
