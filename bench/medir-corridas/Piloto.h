#ifndef PILOTO_H
#define PILOTO_H

// A careless driver: the throttle stays open (the engine buzz, or W), the
// gear is the one that pulls hardest at the car's speed up to the policy's
// highest, and the wheel keeps the car on the middle lane of the city's
// route, braking before each turn and when the car points well away from
// the route. It never looks at the traffic and never reverses. It drives by holding the game's keys, as a player would.
// The race measurement (medir-corridas) and the tests drive with it.

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "Carro.h"
#include "CarroCalculos.h"
#include "TravaTeclas.h"

class Piloto {
public:
    // The highest gear used, less one.
    enum Politica { PRIMEIRA, SEGUNDA, MELHOR };

    // `rota`: the route's cells (row, column), from the start past the
    // finish; without one, the avenue's middle lane.
    explicit Piloto(Politica politica, std::vector<std::pair<int, int>> rota = {{8, 0}, {8, 146}})
        : politica(politica) {
        for (const auto& [r, c] : rota) pontos.push_back({c * 64.0f + 32.0f, r * 64.0f + 32.0f});
    }

    static const char* nome(Politica politica) {
        switch (politica) {
            case PRIMEIRA: return "first gear";
            case SEGUNDA: return "up to second";
            case MELHOR: return "best gear";
        }
        return "?";
    }

    // The route's length in pixels, from its first cell to its last.
    float getComprimento() const {
        float total = 0;
        for (size_t i = 1; i < pontos.size(); i++)
            total += std::hypot(pontos[i].x - pontos[i - 1].x, pontos[i].y - pontos[i - 1].y);
        return total;
    }

    // The gear that pulls hardest at the car's speed, up to the policy's
    // highest: first gear only, up to second, or up to third.
    int marchaQuerida(const Carro& carro) const {
        Carro copia = carro;
        CarroCalculos calculos;
        int melhor = 1;
        float maior = -1.0f;
        for (int marcha = 1; marcha <= 1 + static_cast<int>(politica); marcha++) {
            const float a = calculos.calcularAceleracao(copia.getVelMinIdealMarcha(), copia.getVelMaxIdealMarcha(),
                                                        copia.getAceleracaoIdealMarcha(), 1.0f, marcha,
                                                        carro.getModuloVelocidade());
            if (a > maior) {
                maior = a;
                melhor = marcha;
            }
        }
        return melhor;
    }

    // Sets the keys for the next frame from what the player's car does now.
    void dirigir(const Carro& carro) {
        // Keys go down and up as the library reports them to the press latch.
        auto tecla = [](int k, bool baixa) { TravaTeclas::registrar(baixa ? k : k | 0x80); };
        // One shift per press: the keys go up for a frame after each shift.
        const int marcha = carro.getMarcha();
        const int querida = marchaQuerida(carro);
        const bool livre = !carro.getMudancaMarcha();
        tecla(KEY_E, livre && marcha < querida);
        tecla(KEY_Q, livre && marcha > querida);

        // Screen order: across, down.
        const Ponto car{carro.getPosicao().getY(), carro.getPosicao().getX()};
        // The next turn is the end of the segment the car is on; it moves
        // on once the car is within a turn's width of it.
        while (segmento + 2 < pontos.size() && distancia(car, pontos[segmento + 1]) < VIRADA) segmento++;
        const Ponto alvo = adiante(car);
        // Heading to the point ahead on the route, and the wheel that turns
        // the car towards it (a growing angle turns down the map).
        const float rumo = std::atan2(alvo.y - car.y, alvo.x - car.x);
        float erro = std::fmod(rumo - carro.getAngulo(), 2 * PI);
        if (erro > PI) erro -= 2 * PI;
        if (erro < -PI) erro += 2 * PI;
        const bool curva = segmento + 2 < pontos.size() && distancia(car, pontos[segmento + 1]) < FREAR;
        // In a turn, or far off the route's heading, the car keeps turning
        // for a while after the wheel straightens: its spin counts against
        // the error there.
        const bool amortecer = curva || std::fabs(erro) > ERRO_AMORTECER;
        const float querido =
            std::clamp(GANHO_VOLANTE * erro - (amortecer ? AMORTECIMENTO : 0.0f) * carro.getVelocidadeAngular(),
                       -LIMITE_VOLANTE, LIMITE_VOLANTE);
        const float volante = carro.getAnguloVolante();
        tecla(KEY_D, volante < querido - FOLGA_VOLANTE);
        tecla(KEY_A, volante > querido + FOLGA_VOLANTE);
        // Slow for a turn ahead (never on the last run to the finish), and
        // while the car points well away from the route.
        const float v = carro.getModuloVelocidade();
        tecla(KEY_SPACE, (curva || std::fabs(erro) > ERRO_FREAR) && v > VELOCIDADE_CURVA);
    }

private:
    struct Ponto {
        float x, y;
    };
    static float distancia(Ponto a, Ponto b) { return std::hypot(a.x - b.x, a.y - b.y); }

    // The point OLHAR_ADIANTE pixels ahead of the car's foot on its segment,
    // no further than the turn at its end: a corner cut short would run
    // through a block.
    Ponto adiante(Ponto car) const {
        const Ponto a = pontos[segmento], b = pontos[segmento + 1];
        const float comprimento = std::max(distancia(a, b), 1.0f);
        const float dx = (b.x - a.x) / comprimento, dy = (b.y - a.y) / comprimento;
        const float t = std::clamp((car.x - a.x) * dx + (car.y - a.y) * dy, 0.0f, comprimento);
        float s = t + OLHAR_ADIANTE;
        if (segmento + 2 < pontos.size()) s = std::min(s, comprimento);
        return {a.x + dx * s, a.y + dy * s};
    }

    // The driver aims at the route this far ahead, in pixels.
    static constexpr float OLHAR_ADIANTE = 160.0f;
    // Wheel per radian of heading error, and how close the wheel must be.
    static constexpr float GANHO_VOLANTE = 2.0f;
    static constexpr float FOLGA_VOLANTE = 0.05f;
    static constexpr float LIMITE_VOLANTE = 0.8f;
    static constexpr float PI = 3.14159265f;
    // Near a turn: how near the next segment takes over, where braking
    // starts, and the speed the turn is taken at.
    static constexpr float VIRADA = 96.0f;
    static constexpr float FREAR = 220.0f;
    static constexpr float VELOCIDADE_CURVA = 12.0f;
    static constexpr float AMORTECIMENTO = 0.25f;
    static constexpr float ERRO_AMORTECER = 0.3f;
    static constexpr float ERRO_FREAR = 0.6f;

    Politica politica;
    std::vector<Ponto> pontos;
    size_t segmento = 0;
};

#endif
