#include "AmpliadorQuadro.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <emmintrin.h>
#include <tmmintrin.h>
#define RONCO_X86 1
#endif

namespace {

// The library's X11 driver sends a drawn rectangle of its window to the X
// server with this function, which every drawing call on the screen ends
// with. It is exported but not declared in the library's headers, so it is
// looked up by name; without it the screen is drawn through a blit.
typedef void (*AtualizarX11)(int x, int y, int w, int h);
AtualizarX11 atualizarX11() {
    static const AtualizarX11 f = reinterpret_cast<AtualizarX11>(dlsym(RTLD_DEFAULT, "_xwin_update_screen"));
    return f;
}

bool isTelaX11(BITMAP* b) {
    return b == screen && gfx_driver != nullptr &&
           (gfx_driver->id == GFX_XWINDOWS || gfx_driver->id == GFX_XWINDOWS_FULLSCREEN) && is_linear_bitmap(b);
}

bool temSsse3() {
#ifdef RONCO_X86
    static const bool tem = __builtin_cpu_supports("ssse3");
    return tem;
#else
    return false;
#endif
}

template <int B>
void linhaPorPixel(uint8_t* saida, const uint8_t* fonte, const int* colunas, int n) {
    for (int i = 0; i < n; i++) std::memcpy(saida + B * i, fonte + B * colunas[i], B);
}

#ifdef RONCO_X86
// Four source pixels become eight.
void linhaDobrada(uint8_t* saida, const uint8_t* fonte, int pixelsFonte) {
    const __m128i* a = reinterpret_cast<const __m128i*>(fonte);
    __m128i* o = reinterpret_cast<__m128i*>(saida);
    for (int k = 0; k < pixelsFonte / 4; k++) {
        const __m128i v = _mm_loadu_si128(a + k);
        _mm_storeu_si128(o + 2 * k, _mm_unpacklo_epi32(v, v));
        _mm_storeu_si128(o + 2 * k + 1, _mm_unpackhi_epi32(v, v));
    }
}

// Four target pixels per step, from the four source pixels at the step's
// first column (at scales of x1 or more they lie within those four).
__attribute__((target("ssse3"))) void linhaEmPassos(uint8_t* saida, const uint8_t* fonte, const int* base,
                                                    const uint8_t* mascaras, int passos) {
    __m128i* o = reinterpret_cast<__m128i*>(saida);
    for (int k = 0; k < passos; k++) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fonte + 4 * base[k]));
        const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mascaras + 16 * k));
        _mm_storeu_si128(o + k, _mm_shuffle_epi8(v, m));
    }
}
#endif

}  // namespace

AmpliadorQuadro::AmpliadorQuadro()
    : vetorial(true), preparadoL(0), preparadoA(0), preparadoX(0), preparadoY(0), preparadoAlvoL(0), preparadoAlvoA(0),
      preparadoBytes(0), preparadoQuadro(0), preparadoVetorial(true), visivelX0(0), visivelX1(0), visivelY0(0),
      visivelY1(0), modo(0), passos(0), intermedio(nullptr) {}

AmpliadorQuadro::~AmpliadorQuadro() {
    if (intermedio != nullptr) destroy_bitmap(intermedio);
}

void AmpliadorQuadro::preparar(const GeometriaTela& g, int bytes, int larguraQuadro) {
    if (preparadoL == g.getLargura() && preparadoA == g.getAltura() && preparadoX == g.getX() &&
        preparadoY == g.getY() && preparadoAlvoL == g.getLarguraAlvo() && preparadoAlvoA == g.getAlturaAlvo() &&
        preparadoBytes == bytes && preparadoQuadro == larguraQuadro && preparadoVetorial == vetorial) {
        return;
    }
    preparadoVetorial = vetorial;
    preparadoL = g.getLargura(), preparadoA = g.getAltura(), preparadoX = g.getX(), preparadoY = g.getY();
    preparadoAlvoL = g.getLarguraAlvo(), preparadoAlvoA = g.getAlturaAlvo();
    preparadoBytes = bytes, preparadoQuadro = larguraQuadro;
    visivelX0 = std::max(0, g.getX());
    visivelX1 = std::min(g.getLarguraAlvo(), g.getX() + g.getLargura());
    visivelY0 = std::max(0, g.getY());
    visivelY1 = std::min(g.getAlturaAlvo(), g.getY() + g.getAltura());
    colunas.clear();
    for (int i = visivelX0; i < visivelX1; i++)
        colunas.push_back(std::min(g.colunaDe(i - g.getX()), larguraQuadro - 1));
    linhas.clear();
    for (int j = visivelY0; j < visivelY1; j++) linhas.push_back(g.linhaDe(j - g.getY()));

    modo = 0;
    passos = 0;
    basePasso.clear();
    mascaras.clear();
    const bool inteira = visivelX0 == g.getX() && visivelX1 == g.getX() + g.getLargura();
    if (!vetorial || bytes != 4 || !inteira || g.getLargura() < larguraQuadro) return;
#ifdef RONCO_X86
    bool dobrada = g.getLargura() == 2 * larguraQuadro && larguraQuadro % 4 == 0;
    for (size_t i = 0; dobrada && i < colunas.size(); i++) dobrada = colunas[i] == static_cast<int>(i / 2);
    if (dobrada) {
        modo = 2;
        return;
    }
    if (!temSsse3()) return;
    // A step reads 16 bytes from its first column on: those whose read would
    // pass the source row's end are left to the pixel-by-pixel tail (at the
    // picture's bottom row there is no next row to read into).
    for (int k = 0; 4 * k + 3 < static_cast<int>(colunas.size()); k++) {
        const int base = colunas[4 * k];
        if (base + 3 >= larguraQuadro) break;
        basePasso.push_back(base);
        for (int p = 0; p < 4; p++)
            for (int c = 0; c < 4; c++) mascaras.push_back(static_cast<uint8_t>(4 * (colunas[4 * k + p] - base) + c));
    }
    passos = static_cast<int>(basePasso.size());
    modo = 1;
#endif
}

void AmpliadorQuadro::montarLinha(uint8_t* saida, const uint8_t* fonte) const {
    const int n = static_cast<int>(colunas.size());
    int feitos = 0;
#ifdef RONCO_X86
    if (modo == 2) {
        linhaDobrada(saida, fonte, n / 2);
        return;
    }
    if (modo == 1) {
        linhaEmPassos(saida, fonte, basePasso.data(), mascaras.data(), passos);
        feitos = 4 * passos;
    }
#endif
    switch (preparadoBytes) {
        case 4: linhaPorPixel<4>(saida + 4 * feitos, fonte, colunas.data() + feitos, n - feitos); break;
        case 3: linhaPorPixel<3>(saida + 3 * feitos, fonte, colunas.data() + feitos, n - feitos); break;
        case 2: linhaPorPixel<2>(saida + 2 * feitos, fonte, colunas.data() + feitos, n - feitos); break;
        default: linhaPorPixel<1>(saida + feitos, fonte, colunas.data() + feitos, n - feitos); break;
    }
}

void AmpliadorQuadro::desenharDireto(BITMAP* destino, BITMAP* quadro, int dx, int dy) {
    const int bytes = preparadoBytes;
    const size_t largura = static_cast<size_t>(visivelX1 - visivelX0) * bytes;
    for (int j = visivelY0; j < visivelY1;) {
        const int fonte = linhas[j - visivelY0];
        int fim = j + 1;
        while (fim < visivelY1 && linhas[fim - visivelY0] == fonte) fim++;
        uint8_t* primeira = destino->line[j - dy] + (visivelX0 - dx) * bytes;
        montarLinha(primeira, quadro->line[std::min(fonte, quadro->h - 1)]);
        for (int r = j + 1; r < fim; r++)
            std::memcpy(destino->line[r - dy] + (visivelX0 - dx) * bytes, primeira, largura);
        j = fim;
    }
}

void AmpliadorQuadro::desenhar(BITMAP* destino, BITMAP* quadro, const GeometriaTela& g) {
    if (destino == nullptr || quadro == nullptr) return;
    if (g.getEscalaInteira() == 1 || quadro->w != GeometriaTela::LARGURA || quadro->h != GeometriaTela::ALTURA) {
        // As it is: the library's blit (which clips) is the fastest copy.
        blit(quadro, destino, 0, 0, g.getX(), g.getY(), quadro->w, quadro->h);
        return;
    }
    const int bytes = (bitmap_color_depth(quadro) + 7) / 8;
    preparar(g, bytes, quadro->w);
    if (visivelX1 <= visivelX0 || visivelY1 <= visivelY0) return;
    const bool mesmaProfundidade = bitmap_color_depth(destino) == bitmap_color_depth(quadro);
    if (mesmaProfundidade && is_memory_bitmap(destino)) {
        desenharDireto(destino, quadro, 0, 0);
        return;
    }
    if (mesmaProfundidade && isTelaX11(destino) && atualizarX11() != nullptr) {
        acquire_bitmap(destino);
        desenharDireto(destino, quadro, 0, 0);
        release_bitmap(destino);
        atualizarX11()(visivelX0, visivelY0, visivelX1 - visivelX0, visivelY1 - visivelY0);
        return;
    }
    // Any other target: drawn off-screen, then one blit (which converts the
    // colour depth if it differs).
    const int w = visivelX1 - visivelX0, h = visivelY1 - visivelY0;
    if (intermedio == nullptr || intermedio->w != w || intermedio->h != h ||
        bitmap_color_depth(intermedio) != bitmap_color_depth(quadro)) {
        if (intermedio != nullptr) destroy_bitmap(intermedio);
        intermedio = create_bitmap_ex(bitmap_color_depth(quadro), w, h);
        if (intermedio == nullptr) return;
    }
    desenharDireto(intermedio, quadro, visivelX0, visivelY0);
    blit(intermedio, destino, 0, 0, visivelX0, visivelY0, w, h);
}

void AmpliadorQuadro::desenharSimples(BITMAP* destino, BITMAP* quadro, const GeometriaTela& g) {
    for (int j = 0; j < g.getAltura(); j++) {
        for (int i = 0; i < g.getLargura(); i++) {
            putpixel(destino, g.getX() + i, g.getY() + j, getpixel(quadro, g.colunaDe(i), g.linhaDe(j)));
        }
    }
}
