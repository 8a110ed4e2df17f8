#include "Recordes.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {
const char PREFIXO[] = "Tempo: ";
const char SUFIXO[] = " mills";
}  // namespace

Recordes::Recordes(const std::string& arquivo) : arquivo(arquivo) {}

Recordes::~Recordes() {}

bool Recordes::acrescentar(int milissegundos) {
    // A last line without its line end (edited by hand) gets one first, or
    // the new record would run on into it.
    bool semFimDeLinha = false;
    if (FILE* leitura = std::fopen(arquivo.c_str(), "rb")) {
        semFimDeLinha = std::fseek(leitura, -1, SEEK_END) == 0 && std::fgetc(leitura) != '\n';
        std::fclose(leitura);
    }
    // Append mode only: whatever the file held before stays untouched.
    FILE* f = std::fopen(arquivo.c_str(), "a");
    if (f == nullptr) {
        std::printf("%s: cannot open for appending (%s); time %d mills not recorded\n", arquivo.c_str(),
                    std::strerror(errno), milissegundos);
        return false;
    }
    const bool escreveu = std::fprintf(f, "%sTempo: %d mills\n", semFimDeLinha ? "\n" : "", milissegundos) > 0;
    const bool fechou = std::fclose(f) == 0;
    if (!escreveu || !fechou) {
        std::printf("%s: write failed; time %d mills not recorded\n", arquivo.c_str(), milissegundos);
        return false;
    }
    return true;
}

int Recordes::interpretarLinha(const std::string& linha) {
    std::string texto = linha;
    while (!texto.empty() && (texto.back() == '\r' || texto.back() == ' ' || texto.back() == '\t')) {
        texto.pop_back();
    }
    const size_t tamPrefixo = sizeof PREFIXO - 1;
    const size_t tamSufixo = sizeof SUFIXO - 1;
    if (texto.size() <= tamPrefixo + tamSufixo || texto.compare(0, tamPrefixo, PREFIXO) != 0 ||
        texto.compare(texto.size() - tamSufixo, tamSufixo, SUFIXO) != 0) {
        return -1;
    }
    const std::string numero = texto.substr(tamPrefixo, texto.size() - tamPrefixo - tamSufixo);
    if (numero.empty() || numero.size() > 10 ||
        !std::all_of(numero.begin(), numero.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    const long long valor = std::strtoll(numero.c_str(), nullptr, 10);
    if (valor > INT_MAX) {
        return -1;
    }
    return static_cast<int>(valor);
}

void Recordes::carregar() {
    melhores.clear();
    errno = 0;
    std::ifstream entrada(arquivo);
    if (!entrada.is_open()) {
        // No race finished yet is the usual reason; anything else is worth
        // a line, but the page simply shows no times.
        if (errno != ENOENT) {
            std::printf("%s: cannot open for reading (%s); no records shown\n", arquivo.c_str(),
                        std::strerror(errno));
        }
        return;
    }
    std::string linha;
    while (std::getline(entrada, linha)) {
        const int tempo = interpretarLinha(linha);
        if (tempo < 0) {
            continue;
        }
        // Keep at most ten, sorted, while reading: the file only grows.
        auto pos = std::upper_bound(melhores.begin(), melhores.end(), tempo);
        if (pos - melhores.begin() < MAXIMO_MELHORES) {
            melhores.insert(pos, tempo);
            if (static_cast<int>(melhores.size()) > MAXIMO_MELHORES) {
                melhores.pop_back();
            }
        }
    }
}
