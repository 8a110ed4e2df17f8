// The generated asset tree, read back the way the game reads it: the city
// map and traffic table through the game's own readers, the car data files
// through Carro, and every picture and sound by its header.

#ifdef RONCO_JOGO_DIR

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "CaminhosAssets.h"
#include "Carro.h"
#include "LeitorMapa.h"
#include "LogicaColisao.h"
#include "LogicaNPC.h"
#include "NomesAssets.h"
#include "test_pintor_ajuda.h"

namespace {

const std::string JOGO = RONCO_JOGO_DIR;
constexpr int PREDIO_MIN = 664, PREDIO_MAX = 781;
bool ehPredio(int codigo) { return codigo >= PREDIO_MIN && codigo <= PREDIO_MAX; }

// The game's readers take paths relative to the directory it runs from.
class NoDiretorioDoJogo {
public:
    NoDiretorioDoJogo() : anterior(std::filesystem::current_path()) { std::filesystem::current_path(JOGO); }
    ~NoDiretorioDoJogo() { std::filesystem::current_path(anterior); }

private:
    std::filesystem::path anterior;
};

// A 24-bit BMP as the library's writer leaves it: size and pixels.
struct Imagem {
    int w = 0, h = 0;
    std::vector<uint8_t> bgr;  // top row first
    bool ok = false;
    void rgb(int x, int y, int& r, int& g, int& b) const {
        size_t i = (size_t(y) * w + x) * 3;
        b = bgr[i];
        g = bgr[i + 1];
        r = bgr[i + 2];
    }
    bool ehMascara(int x, int y) const {
        int r, g, b;
        rgb(x, y, r, g, b);
        return r == 255 && g == 0 && b == 255;
    }
};

uint32_t le32(const std::vector<uint8_t>& d, size_t p) {
    return d[p] | (d[p + 1] << 8) | (d[p + 2] << 16) | (uint32_t(d[p + 3]) << 24);
}

std::vector<uint8_t> lerArquivo(const std::string& caminho) {
    std::ifstream f(caminho, std::ios::binary | std::ios::ate);
    std::vector<uint8_t> d(f ? size_t(f.tellg()) : 0);
    f.seekg(0);
    f.read(reinterpret_cast<char*>(d.data()), std::streamsize(d.size()));
    return d;
}

// With `pixels` false only the header and the file's length are checked.
Imagem lerBmp(const std::string& relativo, bool pixels = true) {
    Imagem im;
    std::vector<uint8_t> d = lerArquivo(JOGO + "/" + relativo);
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M' || (d[28] | (d[29] << 8)) != 24) return im;
    im.w = int(le32(d, 18));
    im.h = int(le32(d, 22));
    size_t inicio = le32(d, 10), passo = (size_t(im.w) * 3 + 3) & ~size_t(3);
    if (im.w <= 0 || im.h <= 0 || d.size() < inicio + passo * im.h) return im;
    if (!pixels) {
        im.ok = true;
        return im;
    }
    im.bgr.resize(size_t(im.w) * im.h * 3);
    for (int y = 0; y < im.h; y++) {
        const uint8_t* linha = &d[inicio + passo * (im.h - 1 - y)];
        std::copy(linha, linha + size_t(im.w) * 3, &im.bgr[size_t(y) * im.w * 3]);
    }
    im.ok = true;
    return im;
}

LeitorMapa mapa() {
    LeitorMapa m;
    EXPECT_TRUE(m.carregarMapa(JOGO + "/mapas/1.txt")) << m.getErro();
    return m;
}

}  // namespace

TEST(AssetsMapa, CidadeTemVinteLinhasPorCentoECinquentaColunasEmDuasCamadas) {
    LeitorMapa m = mapa();
    EXPECT_EQ(m.getAltura(), 20);
    EXPECT_EQ(m.getLargura(), 150);

    // Every code drawn comes from the tile sheet, a single row of 64x64
    // tiles wide enough for the highest code used.
    int maior = 0;
    bool predio = false, superiorNaAvenida = false;
    for (int r = 0; r < m.getAltura(); r++) {
        for (int c = 0; c < m.getLargura(); c++) {
            EXPECT_GE(m.getInferior(r, c), 1) << r << "," << c;
            maior = std::max({maior, m.getInferior(r, c), m.getSuperior(r, c)});
            predio = predio || ehPredio(m.getInferior(r, c));
            if (r >= 7 && r <= 9 && m.getSuperior(r, c) != 0) superiorNaAvenida = true;
        }
    }
    EXPECT_TRUE(predio);
    EXPECT_TRUE(superiorNaAvenida) << "nothing of the upper layer passes over the race's road";
    Imagem tiles = lerBmp("mapas/tiles.bmp");
    ASSERT_TRUE(tiles.ok);
    EXPECT_EQ(tiles.h, 64);
    EXPECT_GE(tiles.w, maior * 64);
}

TEST(AssetsMapa, LargadaEChegadaFicamNaRuaEOCaminhoEntreElasEstaLivre) {
    NoDiretorioDoJogo aqui;
    LogicaColisao colisao;
    colisao.gerarMapaColisao(1);
    ASSERT_TRUE(colisao.isCarregado());
    bool** solido = colisao.getMatriz();

    // The player's car starts at (550, 50): vertical 550, horizontal 50, so
    // row 8, column 0; its rectangle (60 long, 30 wide) touches only free cells.
    Carro jogador(1, 1, Vetor(550, 50));
    int r1 = (550 - jogador.getH() / 2) / 64, r2 = (550 + jogador.getH() / 2) / 64;
    for (int r = r1; r <= r2; r++)
        for (int c = 0; c <= (50 + jogador.getW() / 2) / 64; c++) EXPECT_FALSE(solido[r][c]) << r << "," << c;
    // Straight on along the start row to the finish at 9120 (column 142)
    // and a little beyond, so the finish can be crossed at speed.
    for (int c = 0; c < 150; c++) EXPECT_FALSE(solido[8][c]) << "column " << c;
    EXPECT_EQ(9120 / 64, 142);
    for (int r = 7; r <= 9; r++) EXPECT_FALSE(solido[r][142]);

    // The finish line is drawn: black and white squares across column 142's
    // centre, on the road rows.
    LeitorMapa m = mapa();
    Imagem tiles = lerBmp("mapas/tiles.bmp");
    ASSERT_TRUE(tiles.ok);
    int codigo = m.getInferior(8, 142);
    std::set<int> cores;
    for (int y = 0; y < 64; y += 8) {
        int r, g, b;
        tiles.rgb((codigo - 1) * 64 + 32, y + 2, r, g, b);
        cores.insert(r + g + b);
    }
    EXPECT_TRUE(cores.count(3 * 20) && cores.count(3 * 250)) << "no chequered finish at column 142";
}

TEST(AssetsTransito, TrezeEntradasNasBordasTodasParaDentroComCaminhoLivre) {
    NoDiretorioDoJogo aqui;
    LogicaNPC trafego(50);
    trafego.carregarMatrizTransito(1);
    ASSERT_TRUE(trafego.isCarregado());
    EXPECT_EQ(trafego.getAltura(), 20);
    EXPECT_EQ(trafego.getLargura(), 150);
    ASSERT_EQ(trafego.getNumeroPontosIniciais(), 13);

    LogicaColisao colisao;
    colisao.gerarMapaColisao(1);
    bool** solido = colisao.getMatriz();
    int cruzamAvenida = 0;
    for (int p = 0; p < 13; p++) {
        int r = int(trafego.getPontoInicial(p).getX()), c = int(trafego.getPontoInicial(p).getY());
        int codigo = trafego.getCodigo(r, c);
        int dr = 0, dc = 0;
        switch (codigo) {
            case 868: EXPECT_EQ(c, 0) << "slot " << p; dc = 1; break;
            case 869: EXPECT_EQ(r, 0) << "slot " << p; dr = 1; break;
            case 870: EXPECT_EQ(c, 149) << "slot " << p; dc = -1; break;
            case 871: EXPECT_EQ(r, 19) << "slot " << p; dr = -1; break;
            default: ADD_FAILURE() << "slot " << p << " has code " << codigo;
        }
        // Traffic never steers: the whole straight line to the far edge is free.
        bool cruzou = false;
        for (int rr = r, cc = c; rr >= 0 && rr < 20 && cc >= 0 && cc < 150; rr += dr, cc += dc) {
            EXPECT_FALSE(solido[rr][cc]) << "slot " << p << " runs into a building at " << rr << "," << cc;
            cruzou = cruzou || (dr != 0 && rr == 8);
        }
        cruzamAvenida += cruzou;
    }
    EXPECT_GE(cruzamAvenida, 4) << "traffic should cross the player's road";
}

TEST(AssetsCarros, DadosDosCarrosBatemComOsDesenhos) {
    NoDiretorioDoJogo aqui;
    for (int tipo = 1; tipo <= 3; tipo++) {
        std::ifstream f("dados/carros/" + std::to_string(tipo) + ".car");
        int h = 0, w = 0;
        ASSERT_TRUE(f >> h >> w) << "type " << tipo;
        Carro carro(tipo, tipo, Vetor(0, 0));
        EXPECT_EQ(carro.getH(), h);
        EXPECT_EQ(carro.getW(), w);
        // A lane is one tile: the car fits across it, and faces right in its
        // picture (length across, width down) on a transparent background.
        EXPECT_LT(h, 64);
        Imagem im = lerBmp("graficos/carros/" + std::to_string(tipo) + ".bmp");
        ASSERT_TRUE(im.ok);
        EXPECT_EQ(im.w, w);
        EXPECT_EQ(im.h, h);
        EXPECT_TRUE(im.ehMascara(0, 0) && im.ehMascara(w - 1, 0) && im.ehMascara(0, h - 1));
        EXPECT_FALSE(im.ehMascara(w / 2, h / 2));
    }
}

TEST(AssetsArvore, TodoArquivoQueOJogoCarregaExisteNoFormatoCerto) {
    iniciarAllegroSemTela();
    std::vector<std::string> lista = CaminhosAssets::todos();
    ASSERT_GT(lista.size(), 60u);
    for (const std::string& nome : lista) {
        std::vector<uint8_t> d = lerArquivo(JOGO + "/" + nome);
        ASSERT_FALSE(d.empty()) << nome;
        std::string ext = nome.substr(nome.size() - 4);
        if (ext == ".bmp") {
            EXPECT_TRUE(lerBmp(nome, false).ok) << nome;
            // And the library itself takes it, as the game will.
            BITMAP* b = load_bitmap((JOGO + "/" + nome).c_str(), nullptr);
            EXPECT_NE(b, nullptr) << nome;
            if (b) destroy_bitmap(b);
        } else if (ext == ".wav") {
            // Plain PCM, mono, 16 bits: what the library's loader takes.
            ASSERT_GE(d.size(), 44u) << nome;
            EXPECT_EQ(std::string(d.begin(), d.begin() + 4), "RIFF") << nome;
            EXPECT_EQ(std::string(d.begin() + 8, d.begin() + 16), "WAVEfmt ") << nome;
            EXPECT_EQ(d[20], 1) << nome;
            EXPECT_EQ(d[34], 16) << nome;
            EXPECT_GE(le32(d, 40), 2u * 22050) << nome << " lasts less than a second";
            SAMPLE* s = load_sample((JOGO + "/" + nome).c_str());
            EXPECT_NE(s, nullptr) << nome;
            if (s) destroy_sample(s);
        }
    }
}

TEST(AssetsTelas, ImagensCabemNaTelaOndeOJogoAsDesenha) {
    struct Lugar {
        std::string nome;
        int x, y;
    };
    // Opening images at the places the opening draws them; pages at (0, 0).
    std::vector<Lugar> lugares = {
        {"graficos/abertura/abertura 1.bmp", 178, 270}, {"graficos/abertura/abertura 2.bmp", 0, 0},
        {"graficos/abertura/abertura 3.bmp", 24, 273},  {"graficos/abertura/abertura 4.bmp", 148, 39},
        {"graficos/abertura/abertura 5.bmp", 0, 110},   {"graficos/abertura/abertura 6.bmp", 30, 0},
        {"graficos/abertura/abertura final.bmp", 9, 230},
    };
    for (const char* pagina : {"graficos/menus/menu principal.bmp", "graficos/menus/menu_instrucoes.bmp",
                               "graficos/menus/menu_instrucoes_2.bmp", "graficos/menus/menu_pausa.bmp",
                               NomesAssets::MENU_RECORDES}) {
        Imagem im = lerBmp(pagina);
        EXPECT_EQ(im.w, 800) << pagina;
        EXPECT_EQ(im.h, 600) << pagina;
    }
    for (const Lugar& l : lugares) {
        Imagem im = lerBmp(l.nome);
        ASSERT_TRUE(im.ok) << l.nome;
        EXPECT_LE(l.x + im.w, 800) << l.nome;
        EXPECT_LE(l.y + im.h, 600) << l.nome;
    }
    // Loading steps are drawn one over the other, centred, and the phrase
    // below at y = 300 + 3 * its height: all steps and all phrases share one
    // size, so each covers the last, and the phrase stays on the screen.
    Imagem passo0 = lerBmp("graficos/carregamento/carregando0.bmp");
    for (int n = 1; n < 6; n++) {
        Imagem im = lerBmp("graficos/carregamento/carregando" + std::to_string(n) + ".bmp");
        EXPECT_EQ(im.w, passo0.w);
        EXPECT_EQ(im.h, passo0.h);
    }
    for (int i = 0; i < 12; i++) {
        Imagem im = lerBmp("graficos/carregamento/" + std::to_string(i) + ".bmp");
        EXPECT_EQ(im.w, NomesAssets::FRASE_LARGURA);
        EXPECT_EQ(im.h, NomesAssets::FRASE_ALTURA);
        EXPECT_GE(300 + 3 * im.h, 300 + passo0.h / 2) << "the phrase would cover the step picture";
        EXPECT_LE(300 + 4 * im.h, 600);
    }
    // The pause page lets the frozen race show through its mask colour, and
    // the records list area is plain so the times read well.
    Imagem pausa = lerBmp("graficos/menus/menu_pausa.bmp");
    EXPECT_TRUE(pausa.ehMascara(1, 0) || pausa.ehMascara(0, 0));
    Imagem recordes = lerBmp(NomesAssets::MENU_RECORDES);
    int r0, g0, b0, r, g, b;
    recordes.rgb(NomesAssets::RECORDES_PAINEL_X1 + 5, NomesAssets::RECORDES_PAINEL_Y1 + 5, r0, g0, b0);
    recordes.rgb(NomesAssets::RECORDES_PAINEL_X2 - 5, NomesAssets::RECORDES_PAINEL_Y2 - 5, r, g, b);
    EXPECT_EQ(r0 + g0 + b0, r + g + b);
    EXPECT_LT(r + g + b, 3 * 60);
}

TEST(AssetsTelas, BotoesDosMenusEstaoDesenhadosNosRetangulosDaLogica) {
    // Inside each button's rectangle the picture differs from just outside
    // it: a button is painted there, not just background.
    struct Botao {
        std::string pagina;
        int x1, y1, x2, y2;
    };
    std::vector<Botao> botoes = {
        {"graficos/menus/menu principal.bmp", 288, 336, 401, 413},
        {"graficos/menus/menu principal.bmp", 667, 181, 779, 264},
        {"graficos/menus/menu principal.bmp", 5, 180, 140, 240},
        {"graficos/menus/menu principal.bmp", 539, 89, 672, 140},
        {"graficos/menus/menu_instrucoes.bmp", 110, 550, 200, 585},
        {"graficos/menus/menu_instrucoes.bmp", 575, 550, 700, 585},
        {"graficos/menus/menu_instrucoes_2.bmp", 350, 520, 445, 550},
        {NomesAssets::MENU_RECORDES, 350, 520, 445, 550},
        {"graficos/menus/menu_pausa.bmp", 300, 265, 498, 295},
        {"graficos/menus/menu_pausa.bmp", 315, 492, 483, 527},
    };
    for (const Botao& bt : botoes) {
        Imagem im = lerBmp(bt.pagina);
        ASSERT_TRUE(im.ok) << bt.pagina;
        // The button's edge colour sits just inside the rectangle on all sides.
        int cx = (bt.x1 + bt.x2) / 2, cy = (bt.y1 + bt.y2) / 2;
        int r, g, b, rf, gf, bf;
        for (auto [x, y, xf, yf] : {std::array<int, 4>{cx, bt.y1 + 1, cx, bt.y1 - 3},
                                    std::array<int, 4>{bt.x1 + 1, cy, bt.x1 - 3, cy}}) {
            if (xf < 0 || yf < 0) continue;
            im.rgb(x, y, r, g, b);
            im.rgb(xf, yf, rf, gf, bf);
            EXPECT_TRUE(r != rf || g != gf || b != bf) << bt.pagina << " button at " << bt.x1 << "," << bt.y1;
        }
    }
}

#endif

#ifdef RONCO_JOGO_DIR

TEST(AssetsHud, PecasDoPainelTemOsTamanhosEOsPontosQueORenderizadorUsa) {
    // Digits: one size for all ten, each a different picture, on the mask.
    std::set<std::vector<uint8_t>> desenhos;
    for (int d = 0; d <= 9; d++) {
        Imagem im = lerBmp("graficos/numeros/" + std::to_string(d) + ".bmp");
        ASSERT_TRUE(im.ok);
        EXPECT_EQ(im.w, NomesAssets::DIGITO_LARGURA);
        EXPECT_EQ(im.h, NomesAssets::DIGITO_ALTURA);
        EXPECT_TRUE(im.ehMascara(0, 0));
        desenhos.insert(im.bgr);
    }
    EXPECT_EQ(desenhos.size(), 10u);

    // The clock frame holds digits at +19 ... +150, 13 down.
    Imagem moldura = lerBmp("graficos/imagens/4.bmp");
    EXPECT_GE(moldura.w, 150 + NomesAssets::DIGITO_LARGURA);
    EXPECT_GE(moldura.h, 13 + NomesAssets::DIGITO_ALTURA);
    EXPECT_LE(lerBmp("graficos/imagens/3.bmp").w, 73 - 65);

    // Start lights: five side by side 68 apart inside a 144-high box.
    Imagem apagada = lerBmp("graficos/imagens/5.bmp"), acesa = lerBmp("graficos/imagens/6.bmp");
    EXPECT_EQ(apagada.w, acesa.w);
    EXPECT_EQ(apagada.h, acesa.h);
    EXPECT_LE(apagada.w, 68);
    EXPECT_LE(12 + apagada.h, 144);
    EXPECT_NE(apagada.bgr, acesa.bgr);

    // The needle turns about its picture's centre, which the game puts on the
    // screen's right edge: the hub is there, the needle points left at speed
    // 0, and the right half is transparent.
    Imagem agulha = lerBmp("graficos/imagens/2.bmp");
    ASSERT_TRUE(agulha.ok);
    int cy = agulha.h / 2;
    EXPECT_FALSE(agulha.ehMascara(agulha.w / 2, cy));
    EXPECT_FALSE(agulha.ehMascara(agulha.w / 8, cy));
    EXPECT_TRUE(agulha.ehMascara(agulha.w - 2, cy));
    // The dial panel sits in the bottom-right corner and leaves room above
    // the screen's top half.
    Imagem painel = lerBmp("graficos/imagens/1.bmp");
    EXPECT_LE(painel.h, 300);
    EXPECT_GE(painel.w, agulha.w / 2);

    // The pointer's hot spot is its top-left pixel.
    Imagem mouse = lerBmp("graficos/mouse.bmp");
    ASSERT_TRUE(mouse.ok);
    EXPECT_FALSE(mouse.ehMascara(0, 0));
    EXPECT_TRUE(mouse.ehMascara(mouse.w - 1, 0));

    // The opening's wheels turn about their centres: square pictures.
    for (const char* roda : {"graficos/abertura/animacao/roda dianteira fusca amarelo.bmp",
                             "graficos/abertura/animacao/roda traseira fusca amarelo.bmp"}) {
        Imagem im = lerBmp(roda);
        EXPECT_EQ(im.w, im.h) << roda;
        EXPECT_TRUE(im.ehMascara(0, 0)) << roda;
    }
}

TEST(AssetsSons, MusicasSaoLacosAudiveisDeAlgunsSegundos) {
    for (const char* nome : {"soms/musicas/musica menu.wav", "soms/musicas/musica jogo1.wav"}) {
        std::vector<uint8_t> d = lerArquivo(JOGO + "/" + nome);
        ASSERT_GE(d.size(), 44u) << nome;
        uint32_t taxa = le32(d, 24), bytes = le32(d, 40);
        ASSERT_EQ(d.size(), 44u + bytes) << nome;
        double segundos = bytes / 2.0 / taxa;
        EXPECT_GE(segundos, 8.0) << nome;
        EXPECT_LE(segundos, 30.0) << nome;
        // Loud enough to hear, never clipped, and no jump where the loop
        // wraps round (a click on every repeat).
        auto amostra = [&](size_t i) { return int16_t(d[44 + 2 * i] | (d[45 + 2 * i] << 8)); };
        size_t n = bytes / 2;
        double soma = 0;
        int pico = 0, maiorPasso = 0;
        for (size_t i = 0; i < n; i++) {
            soma += double(amostra(i)) * amostra(i);
            pico = std::max(pico, std::abs(int(amostra(i))));
            if (i) maiorPasso = std::max(maiorPasso, std::abs(amostra(i) - amostra(i - 1)));
        }
        EXPECT_GT(std::sqrt(soma / n), 2000.0) << nome;
        EXPECT_LT(pico, 32767) << nome;
        EXPECT_LE(std::abs(amostra(n - 1) - amostra(0)), maiorPasso) << nome;
    }
}

#endif
