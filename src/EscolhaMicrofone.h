#ifndef ESCOLHAMICROFONE_H
#define ESCOLHAMICROFONE_H

#include <string>
#include <vector>

#include "DispositivosCaptura.h"

class Preferencias;

// The microphone the player records from, as the check page chooses it. M
// opens the list of every capture device, the one in use marked; the arrow
// keys (or the gamepad's stick) move, Enter (or the gamepad's A) chooses,
// Escape goes back. The list starts at the device asked for last, not at
// "default", which records instead while the one asked for cannot be
// opened: the next choice counts from the player's, whatever failed. A
// choice becomes the player's saved microphone only once it records; one
// that cannot be opened is said on the page and never saved.
class EscolhaMicrofone {
public:
    EscolhaMicrofone();

    // The recorder's seam (none: "default" only), and the settings the
    // choice is saved in (none: nothing saved).
    void setControle(const DispositivosCaptura::Controle& c) { controle = c; }
    void setPreferencias(Preferencias* p) { preferencias = p; }

    // Lists the devices afresh (one plugged in meanwhile shows) and opens
    // the list at the device asked for last.
    void abrir();
    void fechar() { aberta = false; }
    bool isAberta() const { return aberta; }
    // The list's keys (ComandosEntrada bits): answers true when a device
    // was chosen (recording moves to it).
    bool comandar(unsigned comandos);
    // Once per frame: a device chosen that now records is saved.
    void acompanhar();

    const std::vector<DispositivoCaptura>& getLista() const { return lista; }
    int getCursor() const { return cursor; }
    // The device recorded; the one asked for while it cannot be opened
    // (empty otherwise); the one asked for last.
    std::string getEmUso() const { return controle.getEmUso(); }
    std::string getFalha() const { return controle.getFalha(); }
    std::string getPedido() const;
    // The device recorded as the player reads it: "description (name)".
    std::string getDescricao() const;

private:
    DispositivosCaptura::Controle controle;
    Preferencias* preferencias;
    std::vector<DispositivoCaptura> lista;  // as listed at the last M
    int cursor;
    bool aberta;
    std::string pedido;   // asked for on this page (empty: the saved one)
    std::string aSalvar;  // asked for, saved once it records
};

#endif
