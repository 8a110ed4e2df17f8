#ifndef TEST_PINTOR_AJUDA_H
#define TEST_PINTOR_AJUDA_H

// Shared by the presentation tests: the library brought up without a display
// (memory bitmaps, drawing, loading BMP and WAV files work that way) and
// small asset files written on the fly.

#include <allegro.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

inline void iniciarAllegroSemTela() {
    static bool iniciado = false;
    if (!iniciado) {
        if (system_driver == nullptr) {
            install_allegro(SYSTEM_NONE, &errno, atexit);
        }
        iniciado = true;
    }
    set_color_depth(32);
}

inline void criarPastas(const std::string& caminho) {
    std::filesystem::path p(caminho);
    if (p.has_parent_path()) {
        std::filesystem::create_directories(p.parent_path());
    }
}

// A w x h picture of one colour, saved as BMP under `caminho`.
inline void escreverImagem(const std::string& caminho, int w, int h, int r, int g, int b) {
    criarPastas(caminho);
    BITMAP* bmp = create_bitmap(w, h);
    clear_to_color(bmp, makecol(r, g, b));
    save_bitmap(caminho.c_str(), bmp, nullptr);
    destroy_bitmap(bmp);
}

inline void escreverBitmap(const std::string& caminho, BITMAP* bmp) {
    criarPastas(caminho);
    save_bitmap(caminho.c_str(), bmp, nullptr);
}

// A short 8-bit mono WAV (the library cannot write WAV itself).
inline void escreverWav(const std::string& caminho, int amostras = 800) {
    criarPastas(caminho);
    std::ofstream f(caminho, std::ios::binary);
    auto u32 = [&](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    f.write("RIFF", 4);
    u32(36 + amostras);
    f.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(8000);
    u32(8000);
    u16(1);
    u16(8);
    f.write("data", 4);
    u32(amostras);
    for (int i = 0; i < amostras; ++i) f.put(static_cast<char>(128 + (i % 16) * 4));
}

inline bool mesmaCor(int a, int b) {
    return getr32(a) == getr32(b) && getg32(a) == getg32(b) && getb32(a) == getb32(b);
}

#endif
