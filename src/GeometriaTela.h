#ifndef GEOMETRIATELA_H
#define GEOMETRIATELA_H

// Where the game's 800x600 picture lies in a window or a screen of another
// size, and the way back from a pointer position to a pixel of the picture.
//
// The picture is enlarged by the largest factor at which it still fits,
// aspect kept, and centred (the rest stays black): a window of 1600x1200 is
// x2 exactly, a 1920x1080 screen x1.8 with bars left and right. Every pixel
// of the target shows the picture's pixel under its centre (nearest
// neighbour), and a pointer on it answers that very pixel, so at every
// scale a button is exactly the rectangle drawn.
class GeometriaTela {
public:
    static constexpr int LARGURA = 800;
    static constexpr int ALTURA = 600;
    static constexpr int ESCALA_MAXIMA = 3;

    struct Ponto {
        int x, y;
    };

    // The picture as it is, in a target of its own size.
    GeometriaTela();
    // soInteira: whole multiples only (1 when even that does not fit).
    GeometriaTela(int larguraAlvo, int alturaAlvo, bool soInteira);

    int getLarguraAlvo() const { return larguraAlvo; }
    int getAlturaAlvo() const { return alturaAlvo; }
    // The picture's rectangle in the target.
    int getX() const { return x; }
    int getY() const { return y; }
    int getLargura() const { return largura; }
    int getAltura() const { return altura; }
    // The factor when it is whole (2 for 1600x1200), else 0.
    int getEscalaInteira() const;

    // Target pixel -> picture pixel. Outside the picture the answer is
    // outside 0..799 x 0..599 (no button is there).
    Ponto paraQuadro(int alvoX, int alvoY) const;
    // The picture's column (row) shown by the target's column (row) i of
    // the picture's rectangle, 0 <= i < getLargura() (getAltura()).
    int colunaDe(int i) const;
    int linhaDe(int j) const;

    // The largest whole scale (1 to 3) whose window fits a desktop of that
    // size, with room left for a title bar and a panel.
    static int escalaQueCabe(int larguraDesktop, int alturaDesktop);
    // The scale a window opens at: the saved one (1 to 3) when its window
    // fits the desktop, else the largest that does (0, auto: the largest).
    static int escalaInicial(int salva, int larguraDesktop, int alturaDesktop);
    // The scale after `atual` when F10 is pressed: up to `maxima`, then 1.
    static int proximaEscala(int atual, int maxima);

private:
    int larguraAlvo;
    int alturaAlvo;
    int x;
    int y;
    int largura;
    int altura;
};

#endif
