#ifndef PILOTO_H
#define PILOTO_H

class Carro;

// A careless driver: the engine buzz keeps the throttle open, the gear is
// the one that pulls hardest at the car's speed up to the policy's highest,
// and the wheel only keeps the car on the avenue's middle lane heading for
// the finish. It never looks at the traffic, never brakes and never
// reverses. It drives by holding the game's keys, as a player would.
class Piloto {
public:
    // The highest gear used, less one.
    enum Politica { PRIMEIRA, SEGUNDA, MELHOR };

    explicit Piloto(Politica politica);

    // Sets the keys for the next frame from what the player's car does now.
    void dirigir(const Carro& carro) const;

    // The gear that pulls hardest at the car's speed, up to the policy's
    // highest: first gear only, up to second, or up to third.
    int marchaQuerida(const Carro& carro) const;

    static const char* nome(Politica politica);

private:
    Politica politica;
};

#endif
