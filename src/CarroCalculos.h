#ifndef CARROCALCULOS_H
#define CARROCALCULOS_H

class Carro;

// Advances one car by one time step: throttle, gear, brake and steering wheel
// become a new velocity, position, rate of turn and heading. Each gear gives
// its full acceleration inside its ideal speed band and falls off with the
// square of the distance from it. Stateless.
class CarroCalculos {
public:
    CarroCalculos();
    virtual ~CarroCalculos();

    void calcularFisica(Carro* carro, float delta_t);

    float calcularAceleracao(float* velMin, float* velMax, float* acelIdeal, float grito, int marcha, float vel);

    float sinal(float valor);
    float modulo(float valor);
};

#endif
