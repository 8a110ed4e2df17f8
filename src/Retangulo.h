#ifndef RETANGULO_H
#define RETANGULO_H

#include <algorithm>

// A rectangle of pixels, both corners included; empty while x2 < x1.
struct Retangulo {
    int x1 = 0, y1 = 0, x2 = -1, y2 = -1;

    Retangulo() = default;
    Retangulo(int ax1, int ay1, int ax2, int ay2) : x1(ax1), y1(ay1), x2(ax2), y2(ay2) {}

    bool isVazio() const { return x2 < x1 || y2 < y1; }
    int getLargura() const { return x2 - x1 + 1; }
    int getAltura() const { return y2 - y1 + 1; }

    // The smallest rectangle holding both.
    Retangulo unir(const Retangulo& o) const {
        if (isVazio()) return o;
        if (o.isVazio()) return *this;
        return Retangulo(std::min(x1, o.x1), std::min(y1, o.y1), std::max(x2, o.x2), std::max(y2, o.y2));
    }
    Retangulo intersectar(const Retangulo& o) const {
        return Retangulo(std::max(x1, o.x1), std::max(y1, o.y1), std::min(x2, o.x2), std::min(y2, o.y2));
    }
};

#endif
