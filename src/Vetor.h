#ifndef VETOR_H
#define VETOR_H

// A 2-D value of two floats. Cars keep the vertical component in x and the
// horizontal one in y; anything handed to the screen is in screen order.
class Vetor {
public:
    Vetor();
    Vetor(float x, float y);

    float getX() const { return x; }
    float getY() const { return y; }
    void setX(float valor) { x = valor; }
    void setY(float valor) { y = valor; }

    // Length, computed in double precision and returned as float.
    float getModulo() const;

private:
    float x;
    float y;
};

#endif
