#include "GravadorAlsa.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <allegro/platform/aintunix.h>

#include <cstdio>
#include <cstring>

#include "MicrofoneAlsa.h"

namespace {

DIGI_DRIVER driver;
bool registrado = false;
bool disponivel = false;
bool gravando = false;
std::string escolhido = "default";

char nome[] = "ALSA capture";

// Made at the first use and kept to the end: a reader stuck in a read may
// outlive every call here.
MicrofoneAlsa& microfone() {
    static MicrofoneAlsa* m = new MicrofoneAlsa();
    return *m;
}

}  // namespace

namespace {

// The library's recorder, as the voice analysis reads it.
int iniciarBiblioteca(void*, int freq, int bits, int stereo) { return start_sound_input(freq, bits, stereo); }
int lerBiblioteca(void*, void* destino, int) { return read_sound_input(destino); }

}  // namespace

const int GravadorAlsa::ID = AL_ID('R', 'N', 'C', 'O');

FonteGravacao GravadorAlsa::getFonte() { return {iniciarBiblioteca, lerBiblioteca, nullptr, true}; }

DispositivosCaptura::Controle GravadorAlsa::getControle() {
    return {MicrofoneAlsa::listar, setDispositivo, getDispositivo, getFalha};
}

int GravadorAlsa::registrar() {
    if (registrado) return ID;
    // allegro_init builds the driver lists afresh: registering earlier would
    // be lost, and the library's own input probe would run instead.
    if (!system_driver) {
        std::fprintf(stderr, "GravadorAlsa::registrar called before allegro_init: microphone driver not registered\n");
        return ID;
    }
    std::memset(&driver, 0, sizeof driver);
    driver.id = ID;
    driver.name = driver.desc = driver.ascii_name = nome;
    driver.detect = detect;
    driver.init = init;
    driver.exit = exit;
    driver.rec_cap_bits = 0;
    driver.rec_cap_stereo = 0;
    driver.rec_cap_rate = capRate;
    driver.rec_cap_parm = capParm;
    driver.rec_source = source;
    driver.rec_start = start;
    driver.rec_stop = stop;
    driver.rec_read = read;
    // Autodetected and put first, so that DIGI_AUTODETECT for input picks it
    // before the library's ALSA driver gets to probe input.
    _unix_register_digi_driver(ID, &driver, TRUE, TRUE);
    registrado = true;
    return ID;
}

bool GravadorAlsa::isDisponivel() { return disponivel; }

void GravadorAlsa::setDispositivo(const std::string& dispositivo) {
    escolhido = dispositivo.empty() ? "default" : dispositivo;
    if (disponivel) microfone().trocarDispositivo(escolhido);
}

std::string GravadorAlsa::getDispositivo() { return disponivel ? microfone().getDispositivo() : escolhido; }

std::string GravadorAlsa::getFalha() { return microfone().getFalha(); }

long long GravadorAlsa::getAmostrasGravadas() { return microfone().getAmostrasGravadas(); }

int GravadorAlsa::detect(int input) {
    // Input only. Claiming input even without a device keeps autodetection
    // from falling through to the ALSA driver's input probe.
    return input ? TRUE : FALSE;
}

int GravadorAlsa::init(int input, int) {
    if (!input) return -1;
    if (!disponivel) disponivel = microfone().abrir(escolhido);
    driver.rec_cap_bits = disponivel ? 16 : 0;
    return 0;
}

void GravadorAlsa::exit(int) {
    stop();
    disponivel = false;
    driver.rec_cap_bits = 0;
}

int GravadorAlsa::capRate(int bits, int stereo) { return disponivel && bits == 16 && !stereo ? TAXA : 0; }

int GravadorAlsa::capParm(int rate, int bits, int stereo) {
    if (!disponivel || bits != 16 || stereo) return 0;
    return rate == TAXA ? 1 : -TAXA;
}

int GravadorAlsa::source(int) { return 0; }

int GravadorAlsa::start(int rate, int bits, int stereo) {
    if (!disponivel || rate != TAXA || bits != 16 || stereo) return 0;
    if (!gravando) microfone().iniciar();
    gravando = true;
    return BYTES_POR_BUFFER;
}

void GravadorAlsa::stop() {
    if (gravando) microfone().parar();
    gravando = false;
}

int GravadorAlsa::read(void* buffer) { return microfone().lerRecente(static_cast<uint16_t*>(buffer)) ? 1 : 0; }
