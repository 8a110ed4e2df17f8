#include "ArquivoFantasma.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ArquivoRegular.h"
#include "GravadorFantasma.h"

namespace {

const char* const CABECALHO = "ronco-ghost";
// Far beyond any city, and a day of racing.
const float MAIOR_COORDENADA = 1.0e6f;
const long MAIOR_TEMPO = 24L * 3600 * 1000;

std::vector<std::string> campos(const std::string& linha) {
    std::vector<std::string> c;
    size_t i = 0;
    while (i < linha.size()) {
        const size_t fim = linha.find_first_of(" \t", i);
        if (fim != i) c.push_back(linha.substr(i, fim - i));
        if (fim == std::string::npos) break;
        i = fim + 1;
    }
    return c;
}

bool inteiro(const std::string& s, long minimo, long maximo, long& v) {
    if (s.empty() || s.size() > 12 || !(s[0] == '-' || (s[0] >= '0' && s[0] <= '9'))) return false;
    char* fim = nullptr;
    errno = 0;
    v = std::strtol(s.c_str(), &fim, 10);
    return errno == 0 && *fim == '\0' && v >= minimo && v <= maximo;
}

bool real(const std::string& s, float limite, float& v) {
    if (s.empty() || s.size() > 24) return false;
    char* fim = nullptr;
    v = std::strtof(s.c_str(), &fim);
    return *fim == '\0' && std::isfinite(v) && std::fabs(v) <= limite;
}

// "name N" with N in range.
bool campoNumerico(const std::string& linha, const char* nome, long minimo, long maximo, long& v) {
    const std::vector<std::string> c = campos(linha);
    return c.size() == 2 && c[0] == nome && inteiro(c[1], minimo, maximo, v);
}

}  // namespace

std::string ArquivoFantasma::nome(int cidade) {
    return cidade == 1 ? "ghost.txt" : "ghost-" + std::to_string(cidade) + ".txt";
}

ArquivoFantasma::Leitura ArquivoFantasma::ler(const std::string& caminho, int cidade, PercursoFantasma& p,
                                              std::string& problema) {
    p = PercursoFantasma();
    ArquivoRegular f(caminho, ArquivoRegular::LER);
    if (!f.isAberto()) {
        problema = f.getProblema();
        return f.isAusente() ? AUSENTE : RECUSADO;
    }
    // Never more than the bound is read, however large the file.
    std::string texto;
    char bloco[16384];
    for (;;) {
        const ssize_t n = read(f.getFd(), bloco, sizeof bloco);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            problema = std::string("read failed (") + std::strerror(errno) + ")";
            return RECUSADO;
        }
        if (n == 0) break;
        texto.append(bloco, static_cast<size_t>(n));
        if (static_cast<long>(texto.size()) > MAXIMO_BYTES) {
            problema = "is larger than a ghost file may be (" + std::to_string(MAXIMO_BYTES) + " bytes)";
            return RECUSADO;
        }
    }
    return interpretar(texto, cidade, p, problema) ? LIDO : RECUSADO;
}

bool ArquivoFantasma::interpretar(const std::string& texto, int cidade, PercursoFantasma& p, std::string& problema) {
    p = PercursoFantasma();
    std::vector<std::string> linhas;
    for (size_t i = 0; i <= texto.size();) {
        size_t fim = texto.find('\n', i);
        if (fim == std::string::npos) fim = texto.size();
        linhas.push_back(texto.substr(i, fim - i));
        if (!linhas.back().empty() && linhas.back().back() == '\r') linhas.back().pop_back();
        i = fim + 1;
    }
    auto recusar = [&](const std::string& o_que) {
        p = PercursoFantasma();
        problema = o_que;
        return false;
    };
    auto danificado = [&](size_t linha) { return recusar("is damaged at line " + std::to_string(linha + 1)); };

    const std::vector<std::string> cabecalho = campos(linhas[0]);
    long versao = 0, numero = 0, tempo = 0, quantas = 0;
    if (cabecalho.size() != 2 || cabecalho[0] != CABECALHO || !inteiro(cabecalho[1], 0, 1L << 30, versao)) {
        return recusar("is not a ghost file");
    }
    if (versao != VERSAO) {
        return recusar("is a ghost file of version " + std::to_string(versao) + ", and this game reads version " +
                       std::to_string(VERSAO));
    }
    if (linhas.size() < 5) return recusar("is truncated");
    if (!campoNumerico(linhas[1], "city", 1, 1L << 30, numero)) return danificado(1);
    if (numero != cidade) {
        return recusar("is the ghost of city " + std::to_string(numero) + ", not of city " + std::to_string(cidade));
    }
    if (!campoNumerico(linhas[2], "time", 1, MAIOR_TEMPO, tempo)) return danificado(2);
    if (!campoNumerico(linhas[3], "samples", 1, 1L << 30, quantas)) return danificado(3);
    if (quantas > GravadorFantasma::MAXIMO_AMOSTRAS) {
        return recusar("holds more samples than a ghost may (" + std::to_string(GravadorFantasma::MAXIMO_AMOSTRAS) +
                       ")");
    }
    // The text ends with the last sample's line end: anything short of it
    // was cut off.
    const size_t fim = 4 + static_cast<size_t>(quantas);
    if (linhas.size() <= fim) {
        return recusar("is truncated: " + std::to_string(quantas) + " samples announced, " +
                       std::to_string(linhas.size() - 5) + " found");
    }
    if (!linhas[fim].empty() || linhas.size() > fim + 1) return danificado(linhas[fim].empty() ? fim + 1 : fim);
    p.cidade = cidade;
    p.tempoMs = static_cast<int>(tempo);
    p.amostras.reserve(static_cast<size_t>(quantas));
    long anterior = 0;
    for (size_t i = 4; i < fim; i++) {
        const std::vector<std::string> c = campos(linhas[i]);
        long t = 0;
        AmostraFantasma a{};
        if (c.size() != 4 || !inteiro(c[0], anterior, tempo, t) || !real(c[1], MAIOR_COORDENADA, a.x) ||
            !real(c[2], MAIOR_COORDENADA, a.y) || !real(c[3], 4.0f, a.angulo)) {
            return danificado(i);
        }
        a.tempoMs = static_cast<int>(t);
        anterior = t;
        p.amostras.push_back(a);
    }
    return true;
}

std::string ArquivoFantasma::formatar(const PercursoFantasma& p) {
    std::string texto = std::string(CABECALHO) + " " + std::to_string(VERSAO) + "\ncity " + std::to_string(p.cidade) +
                        "\ntime " + std::to_string(p.tempoMs) + "\nsamples " + std::to_string(p.amostras.size()) + "\n";
    char linha[96];
    for (const AmostraFantasma& a : p.amostras) {
        // Nine digits give every float back exactly.
        std::snprintf(linha, sizeof linha, "%d %.9g %.9g %.9g\n", a.tempoMs, a.x, a.y, a.angulo);
        texto += linha;
    }
    return texto;
}

bool ArquivoFantasma::escrever(const std::string& caminho, const PercursoFantasma& p, std::string& problema) {
    const std::string dados = formatar(p);
    std::string temporario = caminho + ".XXXXXX";
    const int fd = mkstemp(temporario.data());
    if (fd < 0) {
        problema = std::string("cannot be written (") + std::strerror(errno) + ")";
        return false;
    }
    // As a file the game creates otherwise would be, not private.
    const mode_t mascara = umask(0);
    umask(mascara);
    bool ok = fchmod(fd, 0666 & ~mascara) == 0 && ArquivoRegular::escreverTudo(fd, dados) && fsync(fd) == 0;
    int erro = errno;
    if (close(fd) != 0 && ok) ok = false, erro = errno;
    if (ok && std::rename(temporario.c_str(), caminho.c_str()) != 0) ok = false, erro = errno;
    if (!ok) {
        unlink(temporario.c_str());
        problema = std::string("cannot be written (") + std::strerror(erro) + ")";
    }
    return ok;
}
