#ifndef DISPOSITIVOSCAPTURA_H
#define DISPOSITIVOSCAPTURA_H

#include <string>
#include <vector>

// A capture device the player can pick: its ALSA name and what ALSA says it
// is (first line of its description).
struct DispositivoCaptura {
    std::string nome;
    std::string descricao;
};

// The microphones the player can choose from on the check page, and the
// seam through which the check page switches between them: in the game the
// list comes from ALSA's device hints and the switch goes to the recorder
// (GravadorAlsa::getControle); tests put functions of their own in a
// Controle. Without one, only "default" is offered and nothing switches.
class DispositivosCaptura {
public:
    struct Controle {
        std::vector<DispositivoCaptura> (*listar)();
        // Records from `nome` from now on (falling back to "default" when
        // it cannot be opened).
        void (*trocar)(const std::string& nome);
        // The device being recorded, and the last one that could not be
        // opened (empty when none failed).
        std::string (*getEmUso)();
        std::string (*getFalha)();
    };

    // Nothing to choose: "default", recorded as it is.
    static Controle getControleNenhum();

    // From ALSA's hints (name, description, direction: "Input", "Output" or
    // empty for both): "default" first (always, even unlisted), then the
    // sound servers' devices ("pulse", "pipewire") and each card's capture
    // devices ("plughw:...", converted to the game's format), in ALSA's
    // order; nothing that only plays.
    struct Dica {
        std::string nome, descricao, direcao;
    };
    static std::vector<DispositivoCaptura> escolher(const std::vector<Dica>& dicas);

    // The device after `atual` in `lista`, going round; the first one when
    // `atual` is not listed.
    static const DispositivoCaptura& proximo(const std::vector<DispositivoCaptura>& lista, const std::string& atual);
};

#endif
