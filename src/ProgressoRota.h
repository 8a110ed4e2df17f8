#ifndef PROGRESSOROTA_H
#define PROGRESSOROTA_H

#include <utility>
#include <vector>

#include "Vetor.h"

// How far along a city's race a car is, in pixels: along its route (the
// cells of ListaCidades::Cidade::rota, joined by straight runs between
// their centres), the car taken to the nearest run. A street that climbs
// the map counts as much as one that crosses it. Before the first run and
// past the last, those runs go on. Counted from across 0 on the first run's
// line, so that along a route that starts straight across the map (the
// avenue's) it is the car's own distance across. Without a route: the
// distance across.
class ProgressoRota {
public:
    ProgressoRota() = default;
    // (row, column) of each cell.
    explicit ProgressoRota(const std::vector<std::pair<int, int>>& rota);

    // `posicao` as Carro keeps it: down the map, then across.
    float medir(const Vetor& posicao) const;

private:
    struct Trecho {
        double x0, y0;       // where it starts, down and across
        double dx, dy;       // to where it ends
        double comprimento;  // of it
        double inicio;       // how far along the race it starts
    };
    std::vector<Trecho> trechos;
};

#endif
