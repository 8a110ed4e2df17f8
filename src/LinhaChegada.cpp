#include "LinhaChegada.h"

#include <algorithm>

#include "FormatoTempo.h"

namespace {

const char* const RECORDE = "NEW RECORD!";
const char* const PONTO_MEDIO = "\xc2\xb7";

}  // namespace

LinhaChegada::LinhaChegada()
    : definida(false), recorde(false), melhor(), diferenca(), medalha(Medalhas::NENHUMA), textoMedalha(),
      alvoMedalha() {}

void LinhaChegada::definir(int tempoMs, const std::vector<int>& anteriores) {
    definida = true;
    tempoMs = std::max(0, tempoMs);
    const auto menor = std::min_element(anteriores.begin(), anteriores.end());
    recorde = menor == anteriores.end() || tempoMs < *menor;
    if (recorde) return;
    // The difference of the two clocks as shown, so that it adds up.
    melhor = "BEST " + FormatoTempo::tempo(*menor);
    diferenca = FormatoTempo::diferenca(tempoMs / 10 - *menor / 10);
}

std::string LinhaChegada::getTexto() const {
    if (!definida) return "";
    return recorde ? RECORDE : melhor + " " + PONTO_MEDIO + " " + diferenca;
}

const char* LinhaChegada::getTextoRecorde() { return RECORDE; }

void LinhaChegada::setMedalha(const Medalhas& medalhas, int tempoMs) {
    medalha = medalhas.getMedalha(tempoMs);
    textoMedalha = alvoMedalha = "";
    if (!medalhas.isCarregada()) return;
    const std::string tempo = FormatoTempo::tempo(tempoMs);
    if (medalha != Medalhas::NENHUMA) {
        textoMedalha = std::string(Medalhas::getNome(medalha)) + "! " + tempo;
    } else {
        textoMedalha = "TIME " + tempo;
        alvoMedalha = std::string(Medalhas::getNome(Medalhas::BRONZE)) + " " +
                      FormatoTempo::tempo(medalhas.getTempo(Medalhas::BRONZE));
    }
}
