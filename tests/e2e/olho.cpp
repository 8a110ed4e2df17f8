// The end-to-end scenarios' eye: reads a screenshot of the game's window
// (an uncompressed BMP, as `import -window W bmp3:FILE` writes it) and
// answers one question about it on standard output. It compares with the
// very pictures of the asset tree the game drew from, so the scenarios do
// not depend on what the generated pictures look like.
//
//   olho diferenca FOTO IMAGEM X Y
//       per mille of IMAGEM's opaque pixels (the library's pink mask colour
//       left out) that differ from FOTO when IMAGEM is laid at (X, Y).
//   olho melhor FOTO X Y IMAGEM...
//       the 0-based index of the IMAGEM that fits best at (X, Y), then its
//       per mille; used to read a digit.
//   olho progresso FOTO
//       the centre column of the player's mark on the progress strip at the
//       top of the race view, or -1 when there is none.
//   olho acelerador FOTO
//       how many rows of the throttle bar are filled (0 to 80).
//   olho painel FOTO JOGO
//       everything a scenario asks while playing, as shell assignments:
//       pagina (the menu or pause page shown: menu, instrucoes,
//       instrucoes2, recordes, pausa, or nenhuma), correndo (1 when the
//       race clock shows), luzes (lit start lights), marcha (gear digit,
//       -1 when unreadable), acelerador and progresso as above, vazia (1
//       while the window is still black). JOGO is the asset tree the game
//       runs from.
//
// Exit status 2 on bad use or an unreadable picture.

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <string>
#include <vector>

namespace {

// Two pixels are "the same" within this much per channel: the screenshot
// is exact at 24 bits, but a picture drawn translucently or scaled is not.
const int TOLERANCIA = 24;

BITMAP* carregar(const char* nome) {
    BITMAP* b = load_bitmap(nome, nullptr);
    if (!b) {
        std::fprintf(stderr, "olho: não foi possível ler \"%s\"\n", nome);
        std::exit(2);
    }
    return b;
}

bool ehMascara(int c) {
    return getr32(c) == 255 && getg32(c) == 0 && getb32(c) == 255;
}

bool parecidos(int a, int b) {
    return std::abs(getr32(a) - getr32(b)) <= TOLERANCIA && std::abs(getg32(a) - getg32(b)) <= TOLERANCIA &&
           std::abs(getb32(a) - getb32(b)) <= TOLERANCIA;
}

// Per mille of the opaque pixels of `imagem` at (x, y) that differ from the
// photo; parts of the picture outside the photo count as different. Photo
// rows above `linhaMinima` are left out (something else is drawn there).
int diferenca(BITMAP* foto, BITMAP* imagem, int x, int y, int linhaMinima = 0) {
    long opacos = 0;
    long diferentes = 0;
    for (int j = std::max(0, linhaMinima - y); j < imagem->h; ++j) {
        for (int i = 0; i < imagem->w; ++i) {
            int c = getpixel(imagem, i, j);
            if (ehMascara(c)) continue;
            ++opacos;
            int fx = x + i;
            int fy = y + j;
            if (fx < 0 || fy < 0 || fx >= foto->w || fy >= foto->h || !parecidos(c, getpixel(foto, fx, fy))) {
                ++diferentes;
            }
        }
    }
    return opacos ? static_cast<int>(diferentes * 1000 / opacos) : 1000;
}

// The strip is the top six rows of the race view: black, a white finish
// mark, and the player's mark in (0, 100, 100).
int progresso(BITMAP* foto) {
    int primeira = -1;
    int ultima = -1;
    for (int x = 0; x < foto->w; ++x) {
        int c = getpixel(foto, x, 3);
        if (parecidos(c, makecol32(0, 100, 100))) {
            if (primeira < 0) primeira = x;
            ultima = x;
        }
    }
    return primeira < 0 ? -1 : (primeira + ultima) / 2;
}

// The bar is 20 by 80 pixels at (690, 520), black where empty, filled from
// the bottom in colours that run from green to red.
int acelerador(BITMAP* foto) {
    int cheias = 0;
    for (int y = 520; y < 600 && y < foto->h; ++y) {
        int c = getpixel(foto, 700, y);
        if (getr32(c) > 0 || getg32(c) > 0) ++cheias;
    }
    return cheias;
}

// Per mille difference of an asset picture laid at (x, y); 1000 when the
// picture is missing.
int diferencaCom(BITMAP* foto, const std::string& jogo, const std::string& nome, int x, int y,
                 int linhaMinima = 0) {
    BITMAP* imagem = load_bitmap((jogo + "/" + nome).c_str(), nullptr);
    if (!imagem) return 1000;
    int d = diferenca(foto, imagem, x, y, linhaMinima);
    destroy_bitmap(imagem);
    return d;
}

int larguraDe(const std::string& arquivo) {
    BITMAP* b = load_bitmap(arquivo.c_str(), nullptr);
    if (!b) return 0;
    int w = b->w;
    destroy_bitmap(b);
    return w;
}

// Nothing drawn yet: the window is black but for a few pixels.
bool vazia(BITMAP* foto) {
    int acesos = 0;
    int total = 0;
    for (int y = 0; y < foto->h; y += 4) {
        for (int x = 0; x < foto->w; x += 4) {
            int c = getpixel(foto, x, y);
            ++total;
            if (getr32(c) > 16 || getg32(c) > 16 || getb32(c) > 16) ++acesos;
        }
    }
    return acesos * 200 < total;
}

void painel(BITMAP* foto, const std::string& jogo) {
    // Pages are compared whole; the pointer drawn over them hides a little.
    const char* paginas[][2] = {{"menu", "graficos/menus/menu principal.bmp"},
                                {"instrucoes", "graficos/menus/menu_instrucoes.bmp"},
                                {"instrucoes2", "graficos/menus/menu_instrucoes_2.bmp"},
                                {"recordes", "graficos/menus/menu_recordes.bmp"},
                                {"pausa", "graficos/menus/menu_pausa.bmp"}};
    const char* pagina = "nenhuma";
    for (const auto& p : paginas) {
        if (diferencaCom(foto, jogo, p[1], 0, 0) <= 40) {
            pagina = p[0];
            break;
        }
    }
    // The clock frame sits at the top centre; the progress strip covers its
    // first six rows.
    const std::string moldura = "graficos/imagens/4.bmp";
    const int m = (800 - larguraDe(jogo + "/" + moldura)) / 2;
    const bool correndo = diferencaCom(foto, jogo, moldura, m, 0, 6) <= 100;
    int luzes = 0;
    for (int k = 0; k < 5; ++k) {
        if (diferencaCom(foto, jogo, "graficos/imagens/6.bmp", 465 + 68 * k, 12) <= 100) ++luzes;
    }
    int marcha = -1;
    int menor = 151;
    for (int d = 0; d < 10; ++d) {
        int dif = diferencaCom(foto, jogo, "graficos/numeros/" + std::to_string(d) + ".bmp", 690, 485);
        if (dif < menor) {
            menor = dif;
            marcha = d;
        }
    }
    std::printf("pagina=%s correndo=%d luzes=%d marcha=%d acelerador=%d progresso=%d vazia=%d\n", pagina,
                correndo ? 1 : 0, luzes, marcha, acelerador(foto), progresso(foto), vazia(foto) ? 1 : 0);
}

int uso() {
    std::fprintf(stderr,
                 "uso: olho diferenca FOTO IMAGEM X Y | olho melhor FOTO X Y IMAGEM... |"
                 " olho progresso FOTO | olho acelerador FOTO | olho painel FOTO JOGO\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return uso();
    if (install_allegro(SYSTEM_NONE, &errno, std::atexit) != 0) {
        std::fprintf(stderr, "olho: a biblioteca não arrancou\n");
        return 2;
    }
    set_color_depth(32);
    set_color_conversion(COLORCONV_TOTAL);
    const std::string pergunta = argv[1];
    BITMAP* foto = carregar(argv[2]);
    if (pergunta == "diferenca" && argc == 6) {
        BITMAP* imagem = carregar(argv[3]);
        std::printf("%d\n", diferenca(foto, imagem, std::atoi(argv[4]), std::atoi(argv[5])));
        destroy_bitmap(imagem);
    } else if (pergunta == "melhor" && argc >= 6) {
        int x = std::atoi(argv[3]);
        int y = std::atoi(argv[4]);
        int melhor = -1;
        int menor = 1001;
        for (int k = 5; k < argc; ++k) {
            BITMAP* imagem = carregar(argv[k]);
            int d = diferenca(foto, imagem, x, y);
            if (d < menor) {
                menor = d;
                melhor = k - 5;
            }
            destroy_bitmap(imagem);
        }
        std::printf("%d %d\n", melhor, menor);
    } else if (pergunta == "progresso" && argc == 3) {
        std::printf("%d\n", progresso(foto));
    } else if (pergunta == "acelerador" && argc == 3) {
        std::printf("%d\n", acelerador(foto));
    } else if (pergunta == "painel" && argc == 4) {
        painel(foto, argv[3]);
    } else {
        destroy_bitmap(foto);
        return uso();
    }
    destroy_bitmap(foto);
    allegro_exit();
    return 0;
}
END_OF_MAIN()
