#ifndef AJUDAPINTOR_H
#define AJUDAPINTOR_H

// The library without a display (memory bitmaps and BMP/WAV files work that
// way) and small asset files written on the fly.

#include <allegro.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

inline void iniciarAllegroSemTela() {
    if (system_driver == nullptr) install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
}

inline void criarPastas(const std::string& caminho) {
    std::filesystem::create_directories(std::filesystem::path(caminho).parent_path());
}

// Saves and frees `bmp`.
inline void salvar(const std::string& caminho, BITMAP* bmp) {
    criarPastas(caminho);
    save_bitmap(caminho.c_str(), bmp, nullptr);
    destroy_bitmap(bmp);
}

inline void escreverImagem(const std::string& caminho, int w, int h, int cor) {
    BITMAP* bmp = create_bitmap(w, h);
    clear_to_color(bmp, cor);
    salvar(caminho, bmp);
}

// A tenth of a second of silence, 8-bit mono at 8000 Hz (the library
// writes no WAV files without a sound driver).
inline void escreverWav(const std::string& caminho) {
    criarPastas(caminho);
    auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    std::ofstream(caminho, std::ios::binary)
        << "RIFF" << u32(36 + 800) << "WAVEfmt " << u32(16) << std::string("\1\0\1\0", 4) << u32(8000) << u32(8000)
        << std::string("\1\0\10\0", 4) << "data" << u32(800) << std::string(800, '\x80');
}

#endif
