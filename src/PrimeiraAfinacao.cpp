#include "PrimeiraAfinacao.h"

#include "ComandosEntrada.h"
#include "Preferencias.h"

PrimeiraAfinacao::PrimeiraAfinacao() : preferencias(nullptr), ativa(false), correr(false), quadrosFeita(0) {}

bool PrimeiraAfinacao::oferecer(Preferencias* p, bool microfoneGrava) {
    preferencias = p;
    // Without a settings file (tests, tools; no folder to keep one in) it
    // could not be kept as offered: it is never offered.
    ativa = microfoneGrava && p && !p->getCaminho().empty() && p->getCalibracao() == Preferencias::CALIBRACAO_NENHUMA;
    correr = false;
    quadrosFeita = 0;
    return ativa;
}

void PrimeiraAfinacao::concluir(bool pulada) {
    // A calibration saves itself as done.
    if (pulada && preferencias) preferencias->setCalibracao(Preferencias::CALIBRACAO_PULADA);
    ativa = false;
}

void PrimeiraAfinacao::acompanhar(bool naPagina, CalibracaoVoz::Situacao calibracao, unsigned comandos) {
    if (!ativa) return;
    if (!naPagina) {
        concluir(true);
    } else if (calibracao == CalibracaoVoz::FEITA) {
        if (++quadrosFeita >= QUADROS_RESULTADO) correr = true;
        if (correr) concluir(false);
    } else if (calibracao != CalibracaoVoz::OUVINDO && (comandos & ComandosEntrada::ENTRAR)) {
        correr = true;
        concluir(true);
    }
}

bool PrimeiraAfinacao::tomarCorrida() {
    const bool sim = correr;
    correr = false;
    return sim;
}
