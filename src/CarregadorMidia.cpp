#include "CarregadorMidia.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdio>

#include "AmpliadorQuadro.h"
#include "Janela.h"

BITMAP* CarregadorMidia::imagem(const std::string& caminho) {
    BITMAP* b = load_bitmap(caminho.c_str(), nullptr);
    if (b == nullptr) {
        std::printf("%s: cannot load this picture, it will not be drawn\n", caminho.c_str());
    }
    return b;
}

SAMPLE* CarregadorMidia::som(const std::string& caminho) {
    SAMPLE* s = load_sample(caminho.c_str());
    if (s == nullptr) {
        std::printf("%s: cannot load this sound, it will not be played\n", caminho.c_str());
    }
    return s;
}

void CarregadorMidia::liberar(BITMAP*& b) {
    if (b != nullptr) {
        destroy_bitmap(b);
        b = nullptr;
    }
}

void CarregadorMidia::liberar(SAMPLE*& s) {
    if (s != nullptr) {
        destroy_sample(s);
        s = nullptr;
    }
}

void CarregadorMidia::desenharMascarado(BITMAP* destino, BITMAP* origem, int x, int y) {
    if (destino != nullptr && origem != nullptr) {
        draw_sprite(destino, origem, x, y);
    }
}

void CarregadorMidia::copiar(BITMAP* destino, BITMAP* origem, int x, int y) {
    if (destino != nullptr && origem != nullptr) {
        blit(origem, destino, 0, 0, x, y, origem->w, origem->h);
    }
}

void CarregadorMidia::mostrar(BITMAP* alvo, BITMAP* quadro) {
    if (alvo == nullptr) {
        Janela::mostrar(quadro);
    } else if (quadro != nullptr && (alvo->w != quadro->w || alvo->h != quadro->h)) {
        // A larger bitmap stands for a larger window or a screen (the frame
        // benchmark): the picture is enlarged into it as it would be there.
        static AmpliadorQuadro* ampliador = new AmpliadorQuadro();
        ampliador->desenhar(alvo, quadro, GeometriaTela(alvo->w, alvo->h, false));
    } else {
        copiar(alvo, quadro, 0, 0);
    }
}

void CarregadorMidia::esperar(FuncaoEspera espera, unsigned int ms, const volatile int* sinal) {
    const unsigned int FATIA_MS = 20;
    while (ms > 0 && (sinal == nullptr || *sinal == 0)) {
        const unsigned int agora = sinal == nullptr || ms < FATIA_MS ? ms : FATIA_MS;
        if (espera != nullptr) {
            espera(agora);
        } else {
            rest(agora);
        }
        ms -= agora;
    }
}

void CarregadorMidia::girar(BITMAP* destino, BITMAP* origem, int x, int y, fixed angulo) {
    if (destino == nullptr || origem == nullptr) return;
    const fixed meiaLargura = origem->w * 0x8000;
    const fixed meiaAltura = origem->h * 0x8000;
    destino->vtable->pivot_scaled_sprite_flip(destino, origem, x * 0x10000 + meiaLargura, y * 0x10000 + meiaAltura,
                                              meiaLargura, meiaAltura, angulo, 0x10000, FALSE);
}

void CarregadorMidia::escreverAmpliado(BITMAP* destino, const std::string& texto, int x, int y, int escala, int cor) {
    int w = text_length(font, texto.c_str());
    int h = text_height(font);
    if (w <= 0 || h <= 0) {
        return;
    }
    BITMAP* pequeno = create_bitmap(w, h);
    if (pequeno == nullptr) {
        return;
    }
    clear_to_color(pequeno, bitmap_mask_color(pequeno));
    textout_ex(pequeno, font, texto.c_str(), 0, 0, cor, -1);
    masked_stretch_blit(pequeno, destino, 0, 0, w, h, x, y, w * escala, h * escala);
    destroy_bitmap(pequeno);
}

void CarregadorMidia::escreverCentrado(BITMAP* destino, const std::string& texto, int centroX, int y, int escala,
                                       int cor) {
    int w = text_length(font, texto.c_str()) * escala;
    escreverAmpliado(destino, texto, centroX - w / 2, y, escala, cor);
}

void CarregadorMidia::pedirPaginasGrandes(BITMAP* b) {
    if (b == nullptr || !is_memory_bitmap(b) || b->h <= 0) return;
    const uintptr_t pagina = 2u << 20;
    const uintptr_t inicio = reinterpret_cast<uintptr_t>(b->line[0]);
    const uintptr_t fim = reinterpret_cast<uintptr_t>(b->line[b->h - 1]) +
                          static_cast<uintptr_t>(b->w) * ((bitmap_color_depth(b) + 7) / 8);
    const uintptr_t de = (inicio + pagina - 1) & ~(pagina - 1), ate = fim & ~(pagina - 1);
    if (ate > de) madvise(reinterpret_cast<void*>(de), ate - de, MADV_HUGEPAGE);
}
