#ifndef GERADOR_DESENHO_H
#define GERADOR_DESENHO_H

// Drawing helpers of the asset generator: colours, gradients, rounded
// panels, buttons and big legible text made from the library's 8x8 font.

#include <allegro.h>

#include <string>

namespace desenho {

// Every picture is composed at 32 bits and saved as a 24-bit BMP.
BITMAP* criar(int w, int h, int cor);
int rgb(int r, int g, int b);
int magenta();
// Mixes two colours, t = 0 gives a, t = 1 gives b.
int misturar(int a, int b, float t);
int clarear(int cor, float t);
int escurecer(int cor, float t);

void gradienteVertical(BITMAP* b, int x1, int y1, int x2, int y2, int cima, int baixo);
void retanguloArredondado(BITMAP* b, int x1, int y1, int x2, int y2, int raio, int cor);
// A glossy panel: shadow, dark border, body with a vertical gradient and a
// light band on top. Covers exactly x1..x2, y1..y2 (the shadow falls inside).
void painel(BITMAP* b, int x1, int y1, int x2, int y2, int raio, int cor);
// A clickable-looking button covering exactly the given rectangle, with the
// label centred and as big as fits (at most `escalaMax`).
void botao(BITMAP* b, int x1, int y1, int x2, int y2, const std::string& rotulo, int cor, int escalaMax = 4);

enum Alinhamento { ESQUERDA, CENTRO, DIREITA };

struct EstiloTexto {
    int escalaX = 2;
    int escalaY = 2;
    int cor = -1;       // -1 = white
    int corBaixo = -1;  // gradient towards this colour at the bottom; -1 = plain
    int contorno = -1;  // outline colour, -1 = none
    int sombra = 0;     // drop shadow offset in pixels, 0 = none
    int corSombra = 0;
    Alinhamento alinhamento = ESQUERDA;
};

// Draws `s` magnified; when both factors are the same power of two the
// glyphs are smoothed (Scale2x) instead of just blown up. y is the top.
// Returns the width drawn.
int texto(BITMAP* b, const std::string& s, int x, int y, const EstiloTexto& estilo);
// The game's title lettering: yellow to orange, outlined, with a shadow; centred.
EstiloTexto estiloTitulo(int escala);
// Plain centred lettering in one colour.
EstiloTexto estiloSimples(int escala, int cor);
int larguraTexto(const std::string& s, int escalaX);

// Shrinks a picture drawn at `fator` times its size, averaging each block;
// magenta pixels count as transparent and a block that is mostly
// transparent stays magenta. Destroys `grande`.
BITMAP* reduzir(BITMAP* grande, int fator);

// Saves as BMP, creating folders; exits with a message when it fails.
void salvar(BITMAP* b, const std::string& caminho);
void criarPastas(const std::string& caminhoArquivo);

// A tiny deterministic random generator, so every run draws the same city.
class Aleatorio {
public:
    explicit Aleatorio(unsigned semente) : estado(semente ? semente : 1) {}
    unsigned proximo() {
        estado ^= estado << 13;
        estado ^= estado >> 17;
        estado ^= estado << 5;
        return estado;
    }
    int entre(int a, int b) { return a + static_cast<int>(proximo() % static_cast<unsigned>(b - a + 1)); }
    float real() { return (proximo() & 0xffffff) / float(0x1000000); }

private:
    unsigned estado;
};

}  // namespace desenho

#endif
