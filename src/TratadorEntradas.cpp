#include "TratadorEntradas.h"

#include <allegro.h>

#include <utility>

#include "ControleJogo.h"
#include "TravaFoco.h"

namespace {

// The check page's keys, each with the keys that give it.
struct TeclaComando {
    int tecla;
    TratadorEntradas::Comando comando;
};
const TeclaComando TECLAS_COMANDO[] = {
    {KEY_C, ComandosEntrada::CALIBRAR},
    {KEY_EQUALS, ComandosEntrada::MAIS_SENSIVEL},
    {KEY_PLUS_PAD, ComandosEntrada::MAIS_SENSIVEL},
    {KEY_MINUS, ComandosEntrada::MENOS_SENSIVEL},
    {KEY_MINUS_PAD, ComandosEntrada::MENOS_SENSIVEL},
    {KEY_0, ComandosEntrada::SENSIBILIDADE_1},
    {KEY_0_PAD, ComandosEntrada::SENSIBILIDADE_1},
    {KEY_M, ComandosEntrada::MICROFONE},
    {KEY_UP, ComandosEntrada::SETA_CIMA},
    {KEY_DOWN, ComandosEntrada::SETA_BAIXO},
    {KEY_K, ComandosEntrada::ACELERADOR_TECLADO},
    {KEY_N, ComandosEntrada::MUSICA},
    {KEY_G, ComandosEntrada::FANTASMA},
    {KEY_F10, ComandosEntrada::ESCALA},
    {KEY_F11, ComandosEntrada::TELA_CHEIA},
    {TravaTeclas::ALT_ENTER, ComandosEntrada::TELA_CHEIA},
    {KEY_LEFT, ComandosEntrada::ANTERIOR},
    {KEY_RIGHT, ComandosEntrada::PROXIMA},
};

}  // namespace

TratadorEntradas::TratadorEntradas()
    : teclas(1), acelerador(false), comandos(0), enterAntes(false), focado(true), focoPerdido(false),
      perdasVistas(TravaFoco::getPerdas()), trava(), rato(), geometria(nullptr), clique{0, 0}, controle() {}

TratadorEntradas::~TratadorEntradas() {}

int TratadorEntradas::lerEntradas() {
    teclas = 1;
    if (trava.ler(KEY_A)) teclas *= TECLA_A;
    if (trava.ler(KEY_D)) teclas *= TECLA_D;
    if (trava.ler(KEY_SPACE)) teclas *= TECLA_ESPACO;
    if (trava.ler(KEY_Q)) teclas *= TECLA_Q;
    if (trava.ler(KEY_E)) teclas *= TECLA_E;
    if (trava.ler(KEY_ENTER)) teclas *= TECLA_ENTER;
    // Escape goes back, quits, pauses and resumes: once per press, in the
    // sampling that first sees it, however long it is then held.
    if (trava.lerAperto(KEY_ESC)) teclas *= TECLA_ESC;
    if (rato.ler()) teclas *= BOTAO_MOUSE;
    clique =
        geometria ? geometria->paraQuadro(rato.getX(), rato.getY()) : GeometriaTela::Ponto{rato.getX(), rato.getY()};
    acelerador = trava.ler(KEY_W);
    comandos = 0;
    for (const TeclaComando& t : TECLAS_COMANDO) {
        if (trava.lerAperto(t.tecla)) comandos |= t.comando;
    }
    // Enter and Escape, held keys above, as presses too.
    if (isPressed(TECLA_ENTER) && !enterAntes) comandos |= ComandosEntrada::ENTRAR;
    enterAntes = isPressed(TECLA_ENTER);
    if (isPressed(TECLA_ESC)) comandos |= ComandosEntrada::VOLTAR;
    juntarControle();
    // The loss first, then the state: a loss and a return between two
    // samplings still count as a loss.
    const unsigned int perdas = TravaFoco::getPerdas();
    focado = TravaFoco::isFocado();
    focoPerdido = perdas != perdasVistas;
    perdasVistas = perdas;
    return static_cast<int>(teclas);
}

bool TratadorEntradas::isPressed(int p) const { return teclas % p == 0; }

void TratadorEntradas::juntarControle() {
    const MapaControle::Comandos c = controle.traduzir(ControleJogo::ler());
    auto juntar = [this](bool sim, int primo) {
        if (sim && teclas % primo != 0) teclas *= primo;
    };
    juntar(c.esquerda, TECLA_A);
    juntar(c.direita, TECLA_D);
    juntar(c.freio, TECLA_ESPACO);
    juntar(c.descer, TECLA_Q);
    juntar(c.subir, TECLA_E);
    acelerador = acelerador || c.acelerador;
    const std::pair<bool, Comando> apertos[] = {{c.pausa, ComandosEntrada::PAUSA},
                                                {c.menuCima, ComandosEntrada::MENU_CIMA},
                                                {c.menuBaixo, ComandosEntrada::MENU_BAIXO},
                                                {c.menuEsquerda, ComandosEntrada::MENU_ESQUERDA},
                                                {c.menuDireita, ComandosEntrada::MENU_DIREITA},
                                                {c.apertar, ComandosEntrada::MENU_APERTAR}};
    for (const auto& a : apertos) {
        if (a.first) comandos |= a.second;
    }
}

void TratadorEntradas::juntarPausaAoEsc() {
    if (isComando(ComandosEntrada::PAUSA) && teclas % TECLA_ESC != 0) teclas *= TECLA_ESC;
}

void TratadorEntradas::descartarApertos() {
    trava.descartar();
    rato.descartar();
    controle.traduzir(ControleJogo::ler());  // what is held now is no press
    perdasVistas = TravaFoco::getPerdas();
}

void TratadorEntradas::manterEscape() {
    if (isPressed(TECLA_ESC)) {
        trava.devolverAperto(KEY_ESC);
    }
    // A lost focus is seen again by the next sampling too.
    if (focoPerdido) perdasVistas--;
}
