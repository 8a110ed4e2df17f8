#ifndef LOGICANPC_H
#define LOGICANPC_H

#include <memory>
#include <vector>

#include "LeitorMapa.h"
#include "Vetor.h"

class Carro;
class CarroCalculos;

// The computer-driven traffic of a race: a fixed fleet of cars that wait off
// the map at (-100, -100), enter at the start tiles of the traffic table,
// drive straight on with a fixed throttle, and are parked again when they
// leave the map or stall far from the player.
//
// To visit the cars on the map, walk i upward from 0 while i < getMaxCarros()
// and fewer than getActiveCarro() unparked cars have been met, skipping
// parked cars (isEstacionado, or position (-100, -100)).
class LogicaNPC {
public:
    static constexpr int NUMERO_PONTOS_INICIAIS = 32;
    // How long a start tile rests between two cars (ms, plus a random 0..2999).
    static constexpr long ESPERA_PADRAO = 4999;
    static constexpr float POSICAO_ESTACIONADO = -100.0f;

    // Creates a fleet of i parked cars; a start tile rests `espera` ms
    // (plus a random 0..2999) between two cars.
    explicit LogicaNPC(int i, long espera = ESPERA_PADRAO);
    virtual ~LogicaNPC();
    LogicaNPC(const LogicaNPC&) = delete;
    LogicaNPC& operator=(const LogicaNPC&) = delete;

    // Reads "mapas/%dtrans.txt". A bad file, a table without start tiles or
    // with more than NUMERO_PONTOS_INICIAIS is reported on the console.
    void carregarMatrizTransito(int i);
    // True when the last carregarMatrizTransito read the whole table.
    bool isCarregado() const { return carregado; }

    // One traffic frame; (x, y) is the player's car position.
    void trabalhar(float x, float y);

    Carro* getCarro(int i);
    int getMaxCarros() const { return numeroMaximoCarros; }
    int getActiveCarro() const { return numeroCarrosAtivos; }

    // The steps of a traffic frame.
    void inserirCarroNoMapa();
    void verificarStatusCarro(int i, float x, float y);
    bool isOnExitPoint(int i);

    bool isEstacionado(int i) const;

    // The traffic table and its start slots, for tests and tools.
    int getAltura() const { return altura; }
    int getLargura() const { return largura; }
    int getCodigo(int linha, int coluna) const { return matrizTransito.getInferior(linha, coluna); }
    // Number of start slots filled from the table (0 to NUMERO_PONTOS_INICIAIS).
    int getNumeroPontosIniciais() const { return numeroPontosIniciais; }
    // (row, column) of start slot p.
    Vetor getPontoInicial(int p) const { return pontosIniciais[p]; }
    // Clock reading (ms) from which slot p's waiting time counts; -1 at first.
    long getInsercao(int p) const { return insercoes[p]; }

private:
    void estacionar(int i);

    std::unique_ptr<CarroCalculos> calculador;
    LeitorMapa matrizTransito;
    int largura;
    int altura;
    int numeroMaximoCarros;
    int numeroCarrosAtivos;
    long espera;
    std::vector<std::unique_ptr<Carro>> carros;
    long insercoes[NUMERO_PONTOS_INICIAIS];
    Vetor pontosIniciais[NUMERO_PONTOS_INICIAIS];
    int numeroPontosIniciais;
    bool carregado;
};

#endif
