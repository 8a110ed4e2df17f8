#include "CarroCalculos.h"

#include <cmath>

#include "Carro.h"

namespace {
// Written as the game has always used it, slightly below 2 pi.
const float VOLTA_COMPLETA = 6.2831852f;
}  // namespace

CarroCalculos::CarroCalculos() {}

CarroCalculos::~CarroCalculos() {}

void CarroCalculos::calcularFisica(Carro* carro, float delta_t) {
    const float angulo = carro->getAngulo();
    const float seno = static_cast<float>(std::sin(static_cast<double>(angulo)));
    const float cosseno = static_cast<float>(std::cos(static_cast<double>(angulo)));
    const float throttle = carro->getAceleracao();
    const float freio = carro->getFreio();

    // Into the car's frame: forward f, sideways s.
    const Vetor v = carro->getVelocidade();
    float f = v.getX() * seno + v.getY() * cosseno;
    float s = v.getX() * cosseno - v.getY() * seno;

    f = freio * f * (1.0f - delta_t);
    s = freio * s * (1.0f - 2.0f * delta_t);

    carro->setVelocidadeAngular(carro->getVelocidadeAngular() * (1.0f - 7.0f * delta_t));

    float aceleracao = calcularAceleracao(carro->getVelMinIdealMarcha(), carro->getVelMaxIdealMarcha(),
                                          carro->getAceleracaoIdealMarcha(), throttle, carro->getMarcha(), f);

    // The car turns no faster than its gear pushes it, and the other way
    // when the gear pulls backwards.
    const float senoVolante = static_cast<float>(std::sin(static_cast<double>(carro->getAnguloVolante())));
    float aceleracaoAngular = senoVolante * throttle * 40.0f;
    if (std::fabs(aceleracaoAngular) > std::fabs(aceleracao)) {
        aceleracaoAngular = senoVolante * aceleracao;
    }

    f = f + delta_t * aceleracao;

    if (f < 0.5f && ((throttle > -0.01f && throttle < 0.01f) || carro->getMarcha() == 0)) {
        f = 0.0f;
        s = 0.0f;
        aceleracao = 0.0f;
        aceleracaoAngular = 0.0f;
    }

    const Vetor velocidade(f * seno + s * cosseno, f * cosseno - s * seno);
    carro->setVelocidade(velocidade);

    const Vetor p = carro->getPosicao();
    carro->setPosicao(
        Vetor(p.getX() + velocidade.getX() * delta_t * 16.0f, p.getY() + velocidade.getY() * delta_t * 16.0f));

    const float velocidadeAngular = carro->getVelocidadeAngular() + delta_t * aceleracaoAngular;
    carro->setVelocidadeAngular(velocidadeAngular);
    float novoAngulo = angulo + velocidadeAngular * delta_t;
    if (novoAngulo > VOLTA_COMPLETA) {
        novoAngulo -= VOLTA_COMPLETA;
    } else if (novoAngulo < 0.0f) {
        novoAngulo += VOLTA_COMPLETA;
    }
    carro->setAngulo(novoAngulo);
}

float CarroCalculos::calcularAceleracao(float* velMin, float* velMax, float* acelIdeal, float grito, int marcha,
                                        float vel) {
    if (marcha == 0) {
        return 0.0f;
    }
    const int k = marcha == -1 ? 3 : marcha - 1;
    float distanciaIdeal = 0.0f;
    if (velMin[k] > vel) {
        distanciaIdeal = velMin[k] - vel;
    } else if (vel > velMax[k]) {
        distanciaIdeal = vel - velMax[k];
    }
    distanciaIdeal += 1.0f;
    const double quadrado = static_cast<double>(distanciaIdeal) * static_cast<double>(distanciaIdeal);
    return static_cast<float>(acelIdeal[k] * grito / quadrado);
}

float CarroCalculos::sinal(float valor) { return valor < 0.0f ? -1.0f : 1.0f; }

float CarroCalculos::modulo(float valor) { return std::fabs(valor); }
