#ifndef CARRO_H
#define CARRO_H

#include "Vetor.h"

// One car, the player's or a traffic car. Position and velocity hold the
// vertical component in x and the horizontal one in y (map pixels; one unit
// of velocity is 16 pixels per second). Heading 0 faces right on screen and a
// growing angle turns clockwise.
class Carro {
public:
    // Size used when the car's data file cannot give one.
    static constexpr int ALTURA_PADRAO = 30;
    static constexpr int COMPRIMENTO_PADRAO = 60;

    // Every car's gear tables: gears 1 to 3 at indices 0 to 2, reverse at 3.
    // A gear pulls hardest between its minimum and maximum ideal speeds; the
    // bands overlap so that a shift inside an overlap keeps full acceleration.
    static const float VEL_MIN_IDEAL[4];
    static const float VEL_MAX_IDEAL[4];
    static const float ACELERACAO_IDEAL[4];

    Carro(int IDCarro, int endFotoCarro, Vetor posicaoInicial);
    virtual ~Carro();

    // Contacts with other cars since the owner last reset it.
    int colidiu;

    // True while a pile-up that began in an earlier frame lasts: three or
    // more cars touching put a car in neutral once, when the contact begins,
    // so its driver can then engage a gear and get out. Only the player's
    // car, whose contacts are counted afresh every frame, sets it.
    bool isEmPilha() const { return emPilha; }
    void setEmPilha(bool e) { emPilha = e; }

    Vetor getPosicao() const { return posicao; }
    Vetor getVelocidade() const { return velocidade; }
    float getAngulo() const { return angulo; }
    float getVelocidadeAngular() const { return velocidadeAngular; }
    float getAnguloVolante() const { return anguloVolante; }
    float getAceleracao() const { return aceleracao; }
    float getFreio() const { return freio; }
    int getIDCarro() const { return IDCarro; }
    int getEndFotoCarro() const { return endFotoCarro; }
    int getW() const { return w; }
    int getH() const { return h; }
    int getMarcha() const { return marchaAtual; }
    bool getMudancaMarcha() const { return mudancaMarcha; }

    float* getVelMinIdealMarcha() { return velMinIdealMarcha; }
    float* getVelMaxIdealMarcha() { return velMaxIdealMarcha; }
    float* getAceleracaoIdealMarcha() { return aceleracaoIdealMarcha; }

    void setPosicao(Vetor v) { posicao = v; }
    void setVelocidade(Vetor v) { velocidade = v; }
    void setAngulo(float a) { angulo = a; }
    void setVelocidadeAngular(float v) { velocidadeAngular = v; }
    void setAnguloVolante(float a) { anguloVolante = a; }
    void setAceleracao(float a) { aceleracao = a; }
    void setFreio(float f) { freio = f; }
    void setIDCarro(int id) { IDCarro = id; }
    void setEndFotoCarro(int e) { endFotoCarro = e; }

    // Engages a gear and raises the shift latch; no range check.
    void setMarcha(int i);
    void zerarMudancaMarcha();

    float getModuloVelocidade() const;
    // Exactly still: both velocity components and the rate of turn are 0.
    bool isParado() const;

private:
    void lerDadosCarro();

    Vetor posicao;
    Vetor velocidade;
    Vetor forcaReacaoColisao;
    float angulo;
    float velocidadeAngular;
    float anguloVolante;
    float aceleracao;
    float freio;
    int IDCarro;
    int endFotoCarro;
    int w;  // length along the heading
    int h;  // width across the heading
    int marchaAtual;
    bool mudancaMarcha;
    bool emPilha;
    float velMinIdealMarcha[4];
    float velMaxIdealMarcha[4];
    float aceleracaoIdealMarcha[4];
};

#endif
