#include "ControleJogo.h"

#include <allegro.h>

namespace {

bool instalado = false;
bool presente = false;
ControleJogo::Leitor leitorDeTeste = nullptr;

MapaControle::Leitura lerBiblioteca() {
    MapaControle::Leitura l;
    if (!instalado || num_joysticks < 1) return l;
    poll_joystick();
    const JOYSTICK_INFO& j = joy[0];
    l.presente = true;
    for (int s = 0; s < j.num_sticks; s++) {
        for (int a = 0; a < j.stick[s].num_axis; a++) l.eixos.push_back({j.stick[s].axis[a].pos, a == 0});
    }
    for (int b = 0; b < j.num_buttons && b < 32; b++) {
        if (j.button[b].b) l.botoes |= 1u << b;
    }
    return l;
}

}  // namespace

bool ControleJogo::instalar() {
    instalado = install_joystick(JOY_TYPE_AUTODETECT) == 0;
    presente = instalado && num_joysticks > 0;
    return presente;
}

void ControleJogo::desinstalar() {
    if (instalado) remove_joystick();
    instalado = false;
    presente = false;
}

MapaControle::Leitura ControleJogo::ler() {
    const MapaControle::Leitura l = leitorDeTeste != nullptr ? leitorDeTeste() : lerBiblioteca();
    presente = l.presente;
    return l;
}

bool ControleJogo::isPresente() { return presente; }

void ControleJogo::setLeitor(Leitor leitor) {
    leitorDeTeste = leitor;
    if (leitor == nullptr) presente = instalado && num_joysticks > 0;
}
