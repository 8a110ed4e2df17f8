#include "LeitorMapa.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <istream>

namespace {

enum class Leitura { ok, fim, naoNumero, erroLeitura };

Leitura lerInteiro(std::istream& entrada, int& valor) {
    if (entrada >> valor) {
        // "8.5" or "12abc" is not a tile number, even though the stream
        // would happily stop after its leading digits.
        const int seguinte = entrada.peek();
        if (seguinte != std::char_traits<char>::eof() && !std::isspace(seguinte)) {
            entrada.setstate(std::ios::failbit);
            return Leitura::naoNumero;
        }
        return Leitura::ok;
    }
    if (entrada.bad()) {
        return Leitura::erroLeitura;
    }
    // Extraction skips white space first, so hitting the end here means the
    // numbers ran out; anything else is text that is not a (32-bit) number.
    return entrada.eof() ? Leitura::fim : Leitura::naoNumero;
}

Leitura lerCabecalho(std::istream& entrada, int& linhas, int& colunas) {
    const Leitura r = lerInteiro(entrada, linhas);
    return r == Leitura::ok ? lerInteiro(entrada, colunas) : r;
}

std::string descrever(Leitura leitura, const std::string& onde) {
    switch (leitura) {
        case Leitura::fim: return "ends early, " + onde + " missing";
        case Leitura::naoNumero: return "not a number at " + onde;
        case Leitura::erroLeitura: return "read error at " + onde;
        case Leitura::ok: break;
    }
    return "";
}

std::string celula(const char* camada, int linha, int coluna) {
    return std::string(camada) + " row " + std::to_string(linha) + ", column " + std::to_string(coluna);
}

}  // namespace

LeitorMapa::LeitorMapa() : altura(0), largura(0), carregado(false) {}

bool LeitorMapa::carregarMapa(const std::string& arquivo) { return carregar(arquivo, true); }

bool LeitorMapa::carregarTransito(const std::string& arquivo) { return carregar(arquivo, false); }

bool LeitorMapa::carregar(const std::string& arquivo, bool duasCamadas) {
    const char* tipo = duasCamadas ? "map file" : "traffic table";
    limpar();
    std::error_code semErro;
    if (std::filesystem::is_directory(arquivo, semErro)) {
        return falhar(arquivo, std::string("is a directory, not a ") + tipo);
    }
    std::ifstream entrada(arquivo);
    if (!entrada.is_open()) {
        return falhar(arquivo, std::string("cannot open ") + tipo);
    }
    return ler(entrada, arquivo, duasCamadas);
}

bool LeitorMapa::lerMapa(std::istream& entrada, const std::string& nome) { return ler(entrada, nome, true); }

bool LeitorMapa::lerTransito(std::istream& entrada, const std::string& nome) { return ler(entrada, nome, false); }

int LeitorMapa::getInferior(int linha, int coluna) const { return celulaDe(inferior, linha, coluna); }

int LeitorMapa::getSuperior(int linha, int coluna) const { return celulaDe(superior, linha, coluna); }

int LeitorMapa::celulaDe(const std::vector<int>& camada, int linha, int coluna) const {
    if (linha < 0 || linha >= altura || coluna < 0 || coluna >= largura) {
        return 0;
    }
    // A traffic table has no upper layer at all.
    const size_t i = static_cast<size_t>(linha) * largura + coluna;
    return i < camada.size() ? camada[i] : 0;
}

void LeitorMapa::limpar() {
    altura = 0;
    largura = 0;
    carregado = false;
    erro.clear();
    inferior.clear();
    superior.clear();
}

bool LeitorMapa::falhar(const std::string& nome, const std::string& motivo) {
    carregado = false;
    erro = nome + ": " + motivo;
    std::printf("%s\n", erro.c_str());
    return false;
}

bool LeitorMapa::lerCamada(std::istream& entrada, const std::string& nome, std::vector<int>& camada,
                           const char* nomeCamada) {
    for (int i = 0; i < altura; i++) {
        for (int j = 0; j < largura; j++) {
            int& valor = camada[static_cast<size_t>(i) * largura + j];
            const Leitura r = lerInteiro(entrada, valor);
            if (r != Leitura::ok) {
                valor = 0;
                return falhar(nome, descrever(r, celula(nomeCamada, i, j)));
            }
        }
    }
    return true;
}

bool LeitorMapa::ler(std::istream& entrada, const std::string& nome, bool duasCamadas) {
    limpar();

    int linhas = 0;
    int colunas = 0;
    Leitura r = lerCabecalho(entrada, linhas, colunas);
    if (r != Leitura::ok) {
        return falhar(nome, descrever(r, "header (rows, columns)"));
    }
    // Checked before anything is allocated: a header of a billion rows must
    // not turn into a billion-row allocation.
    if (linhas <= 0 || colunas <= 0 || linhas > MAXIMO_LINHAS || colunas > MAXIMO_COLUNAS ||
        linhas * colunas > MAXIMO_CELULAS) {
        return falhar(nome, "bad dimensions " + std::to_string(linhas) + " x " + std::to_string(colunas) +
                                " (rows 1.." + std::to_string(MAXIMO_LINHAS) + ", columns 1.." +
                                std::to_string(MAXIMO_COLUNAS) + ", at most " + std::to_string(MAXIMO_CELULAS) +
                                " cells)");
    }
    altura = linhas;
    largura = colunas;
    const size_t total = static_cast<size_t>(linhas) * colunas;
    inferior.assign(total, 0);
    superior.assign(duasCamadas ? total : 0, 0);

    if (!lerCamada(entrada, nome, inferior, duasCamadas ? "lower layer" : "table")) {
        return false;
    }
    if (duasCamadas) {
        r = lerCabecalho(entrada, linhas, colunas);
        if (r != Leitura::ok) {
            return falhar(nome, descrever(r, "upper layer header (rows, columns)"));
        }
        if (linhas != altura || colunas != largura) {
            return falhar(nome, "upper layer header " + std::to_string(linhas) + " x " + std::to_string(colunas) +
                                    " disagrees with the lower layer's " + std::to_string(altura) + " x " +
                                    std::to_string(largura) + "; upper layer left empty");
        }
        if (!lerCamada(entrada, nome, superior, "upper layer")) {
            return false;
        }
    }
    carregado = true;
    return true;
}
