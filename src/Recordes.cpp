#include "Recordes.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ArquivoRegular.h"
#include "LeitorLinhas.h"

namespace {
const char PREFIXO[] = "Tempo: ";
const char SUFIXO[] = " mills";
}  // namespace

Recordes::Recordes(const std::string& arquivo) : arquivo(arquivo), melhores(), naoGravados(), legivel(true) {}

Recordes::~Recordes() {}

std::string Recordes::nome(int cidade) {
    return cidade == 1 ? "records.txt" : "records-" + std::to_string(cidade) + ".txt";
}

bool Recordes::acrescentar(int milissegundos) {
    // A last line without its line end (edited by hand) gets one first, or
    // the new record would run on into it.
    bool semFimDeLinha = false;
    {
        ArquivoRegular leitura(arquivo, ArquivoRegular::LER);
        semFimDeLinha = leitura.isSemFimDeLinha();
    }
    // Append mode only: whatever the file held before stays untouched.
    ArquivoRegular f(arquivo, ArquivoRegular::ACRESCENTAR);
    char linha[64];
    std::snprintf(linha, sizeof linha, "%sTempo: %d mills\n", semFimDeLinha ? "\n" : "", milissegundos);
    manter(milissegundos);  // among the best shown until the file is read again
    if (!f.isAberto() || !f.escrever(linha) || !f.fechar()) {
        naoGravados.push_back(milissegundos);
        std::printf("%s: %s; time %d mills kept for this session only\n", arquivo.c_str(), f.getProblema().c_str(),
                    milissegundos);
        return false;
    }
    std::printf("%s: time %d mills recorded\n", arquivo.c_str(), milissegundos);
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

void Recordes::manter(int tempo) {
    // At most ten, sorted, kept while reading: the file only grows.
    auto pos = std::upper_bound(melhores.begin(), melhores.end(), tempo);
    if (pos - melhores.begin() < MAXIMO_MELHORES) {
        melhores.insert(pos, tempo);
        if (static_cast<int>(melhores.size()) > MAXIMO_MELHORES) {
            melhores.pop_back();
        }
    }
}

void Recordes::carregar(bool relatar) {
    melhores.clear();
    legivel = true;
    ArquivoRegular f(arquivo, ArquivoRegular::LER);
    if (f.isAberto()) {
        LeitorLinhas leitor(f.getFd());
        std::string linha;
        while (leitor.proxima(linha)) {
            const int tempo = interpretarLinha(linha);
            if (tempo >= 0) manter(tempo);
        }
        if (leitor.getLongasDemais() > 0 && relatar) {
            std::printf("%s: %d line(s) longer than %zu bytes skipped\n", arquivo.c_str(), leitor.getLongasDemais(),
                        LeitorLinhas::MAXIMO);
        }
        if (leitor.getErro() != 0) {
            legivel = false;
            if (relatar)
                std::printf("%s: read failed (%s); the records after that point are not shown\n", arquivo.c_str(),
                            std::strerror(leitor.getErro()));
        }
    } else if (!f.isAusente()) {
        // No race finished yet is no fault; anything else is worth a line.
        legivel = false;
        if (relatar) std::printf("%s: %s; the records cannot be read\n", arquivo.c_str(), f.getProblema().c_str());
    }
    for (int tempo : naoGravados) manter(tempo);
}
