#include "PlacarCidade.h"

#include <cstdio>

#include "ArquivoFantasma.h"
#include "CaminhosAssets.h"

PlacarCidade::PlacarCidade(int cidade)
    : cidade(cidade), recordes(Recordes::nome(cidade)), medalhas(), medalhasLidas(false),
      arquivoFantasma(ArquivoFantasma::nome(cidade)), fantasma(), fantasmaLido(false), semArquivoFantasma(false) {}

const Medalhas& PlacarCidade::getMedalhas() {
    if (!medalhasLidas) medalhas.carregar(CaminhosAssets::medalhas(cidade));
    medalhasLidas = true;
    return medalhas;
}

const PercursoFantasma* PlacarCidade::getFantasma() {
    if (!fantasmaLido) {
        fantasmaLido = true;
        std::string problema;
        const ArquivoFantasma::Leitura l = ArquivoFantasma::ler(arquivoFantasma, cidade, fantasma, problema);
        semArquivoFantasma = l == ArquivoFantasma::AUSENTE;
        if (l == ArquivoFantasma::RECUSADO) {
            std::printf("%s: %s; the race runs without a ghost until a best run replaces it\n", arquivoFantasma.c_str(),
                        problema.c_str());
        }
    }
    return fantasma.amostras.empty() ? nullptr : &fantasma;
}

void PlacarCidade::registrarChegada(int tempoMs, const PercursoFantasma* corrida, LinhaChegada& linha) {
    // The best before this race; a record file that cannot be read (said
    // when it is written) has no line to give.
    recordes.carregar(false);
    linha = LinhaChegada();
    if (recordes.isLegivel()) linha.definir(tempoMs, recordes.getMelhores());
    linha.setMedalha(getMedalhas(), tempoMs);
    // Recorded at the line: the window may be closed during the finish
    // screen, and the race must not be lost with it.
    recordes.acrescentar(tempoMs);
    getFantasma();
    const bool melhor =
        linha.isRecorde() || semArquivoFantasma || (!fantasma.amostras.empty() && tempoMs < fantasma.tempoMs);
    if (!melhor) return;
    if (corrida == nullptr) {
        std::printf("%s: a run this long is not kept as a ghost\n", arquivoFantasma.c_str());
        return;
    }
    guardarFantasma(*corrida);
}

void PlacarCidade::guardarFantasma(const PercursoFantasma& corrida) {
    // Raced against from the next race on, whether or not it reaches the
    // disk.
    fantasma = corrida;
    semArquivoFantasma = false;
    std::string problema;
    if (!ArquivoFantasma::escrever(arquivoFantasma, fantasma, problema)) {
        std::printf("%s: %s; the ghost of this run lasts until the game ends\n", arquivoFantasma.c_str(),
                    problema.c_str());
    }
}
