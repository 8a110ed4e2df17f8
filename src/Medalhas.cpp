#include "Medalhas.h"

#include <cstdio>
#include <cstdlib>

#include "ArquivoRegular.h"
#include "LeitorLinhas.h"

namespace {

const char* const NOMES[] = {"", "bronze", "silver", "gold"};
const int MAIOR_TEMPO = 3600 * 1000;

}  // namespace

Medalhas::Medalhas() : carregada(false), tempos{0, 0, 0, 0} {}

bool Medalhas::carregar(const std::string& caminho) {
    carregada = false;
    ArquivoRegular f(caminho, ArquivoRegular::LER);
    std::string texto, linha, problema = f.isAusente() ? "is missing" : f.getProblema();
    if (f.isAberto()) {
        // A medal file is a few short lines.
        LeitorLinhas leitor(f.getFd());
        for (int n = 0; n < 64 && leitor.proxima(linha); n++) texto += linha + "\n";
        const bool longo = leitor.proxima(linha) || leitor.getLongasDemais() > 0;
        problema = longo ? "is too long for a medal file" : "";
    }
    if (problema.empty() && interpretar(texto, problema)) return true;
    std::printf("%s: %s; races earn no medals\n", caminho.c_str(), problema.c_str());
    return false;
}

bool Medalhas::interpretar(const std::string& texto, std::string& problema) {
    carregada = false;
    int lidos[4] = {0, 0, 0, 0};
    int numero = 0;
    for (size_t i = 0; i < texto.size();) {
        size_t fim = texto.find('\n', i);
        if (fim == std::string::npos) fim = texto.size();
        const std::string linha = texto.substr(i, fim - i);
        i = fim + 1;
        numero++;
        const size_t inicio = linha.find_first_not_of(" \t\r");
        if (inicio == std::string::npos || linha[inicio] == '#') continue;
        // A name, one space or more, a whole number, nothing else.
        const size_t espaco = linha.find_first_of(" \t", inicio);
        const size_t numeroDe = espaco == std::string::npos ? espaco : linha.find_first_not_of(" \t", espaco);
        const std::string nome = linha.substr(inicio, espaco - inicio);
        const std::string valor = numeroDe == std::string::npos ? "" : linha.substr(numeroDe);
        char* depois = nullptr;
        const long ms = valor.size() > 0 && valor.size() <= 8 && valor[0] >= '0' && valor[0] <= '9'
                            ? std::strtol(valor.c_str(), &depois, 10)
                            : 0;
        int m = OURO;
        while (m > NENHUMA && nome != NOMES[m]) m--;
        const bool fimLimpo =
            depois != nullptr && valor.find_first_not_of(" \t\r", depois - valor.c_str()) == std::string::npos;
        if (m == NENHUMA || !fimLimpo || lidos[m] != 0 || ms <= 0 || ms > MAIOR_TEMPO) {
            problema = "line " + std::to_string(numero) + " is not one medal's time (gold, silver or bronze, in ms)";
            return false;
        }
        lidos[m] = static_cast<int>(ms);
    }
    if (lidos[OURO] == 0 || lidos[PRATA] == 0 || lidos[BRONZE] == 0) {
        problema = "it needs a time for each of gold, silver and bronze";
        return false;
    }
    if (!(lidos[OURO] < lidos[PRATA] && lidos[PRATA] < lidos[BRONZE])) {
        problema = "gold must be faster than silver, and silver than bronze";
        return false;
    }
    for (int m = BRONZE; m <= OURO; m++) tempos[m] = lidos[m];
    carregada = true;
    return true;
}

Medalhas::Medalha Medalhas::getMedalha(int tempoMs) const {
    if (!carregada || tempoMs <= 0) return NENHUMA;
    for (int m = OURO; m > NENHUMA; m--) {
        if (tempoMs <= tempos[m]) return static_cast<Medalha>(m);
    }
    return NENHUMA;
}

int Medalhas::getTempo(Medalha m) const { return carregada && m != NENHUMA ? tempos[m] : 0; }

const char* Medalhas::getNome(Medalha m) {
    static const char* const nomes[] = {"", "BRONZE", "SILVER", "GOLD"};
    return nomes[m];
}
