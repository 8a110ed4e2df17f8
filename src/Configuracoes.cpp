#include "Configuracoes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {

const size_t LINHA_MAXIMA = 4096;

std::string aparar(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

// Makes every missing folder of `pasta`.
bool criarPastas(const std::string& pasta) {
    for (size_t i = 1; i <= pasta.size(); i++) {
        if (i < pasta.size() && pasta[i] != '/') continue;
        const std::string parte = pasta.substr(0, i);
        if (mkdir(parte.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return true;
}

bool escreverTudo(int fd, const std::string& dados) {
    size_t feito = 0;
    while (feito < dados.size()) {
        const ssize_t n = write(fd, dados.data() + feito, dados.size() - feito);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        feito += static_cast<size_t>(n);
    }
    return true;
}

// Where a path leads once its links are followed (a link to a link too,
// relative ones from the link's folder); the path itself when it is no link.
std::string seguirLigacoes(std::string caminho) {
    for (int i = 0; i < 40; i++) {
        char alvo[4096];
        const ssize_t n = readlink(caminho.c_str(), alvo, sizeof alvo);
        if (n <= 0 || n == static_cast<ssize_t>(sizeof alvo)) break;
        std::string proximo(alvo, static_cast<size_t>(n));
        const size_t barra = caminho.rfind('/');
        if (proximo[0] != '/' && barra != std::string::npos) proximo = caminho.substr(0, barra + 1) + proximo;
        caminho = proximo;
    }
    return caminho;
}

// The permissions a new file gets from this process (its umask, read
// without changing it).
mode_t permissoesNovas() {
    std::ifstream status("/proc/self/status");
    std::string linha;
    while (std::getline(status, linha)) {
        if (linha.rfind("Umask:", 0) == 0)
            return 0666 & ~static_cast<mode_t>(std::strtol(linha.c_str() + 6, nullptr, 8));
    }
    return 0644;
}

}  // namespace

Configuracoes::Configuracoes(std::FILE* console_)
    : console(console_), intocavel(false), falhaRelatada(false), lendo(false), relatos(0), omitidos(0) {}

Configuracoes::~Configuracoes() {}

std::string Configuracoes::getCaminhoPadrao() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (xdg && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/') return "";
        base = std::string(home) + "/.config";
    }
    return base + "/ronco/ronco.conf";
}

void Configuracoes::carregar(const std::string& caminho_) {
    caminho = caminho_;
    linhas.clear();
    intocavel = falhaRelatada = false;
    relatos = omitidos = 0;
    if (caminho.empty()) {
        std::fprintf(getConsole(),
                     "\nNo folder to keep the settings in (neither XDG_CONFIG_HOME nor HOME is set): "
                     "changes last until the game ends.\n");
        return;
    }
    // Never blocks on a pipe or a device put where the file should be.
    const int fd = open(caminho.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            std::fprintf(getConsole(), "\nThe settings file %s cannot be read (%s): using the defaults.\n",
                         caminho.c_str(), std::strerror(errno));
        return;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fprintf(getConsole(), "\nThe settings file %s is not a regular file: using the defaults.\n",
                     caminho.c_str());
        intocavel = true;
        close(fd);
        return;
    }
    // One byte past the bound tells a file that is too large, even one that
    // grows while it is read.
    std::string texto;
    char bloco[8192];
    ssize_t n = 0;
    while (static_cast<long>(texto.size()) <= TAMANHO_MAXIMO &&
           ((n = read(fd, bloco, sizeof bloco)) > 0 || (n < 0 && errno == EINTR))) {
        if (n > 0) texto.append(bloco, static_cast<size_t>(n));
    }
    const int erro = errno;
    close(fd);
    if (info.st_size > TAMANHO_MAXIMO || static_cast<long>(texto.size()) > TAMANHO_MAXIMO) {
        std::fprintf(getConsole(),
                     "\nThe settings file %s is larger than 64 KiB, which no settings file is: not read, the "
                     "defaults are used, and it is never written over.\n",
                     caminho.c_str());
        intocavel = true;
        return;
    }
    if (n < 0) {
        std::fprintf(getConsole(), "\nThe settings file %s cannot be read (%s): using the defaults.\n", caminho.c_str(),
                     std::strerror(erro));
        intocavel = true;
        return;
    }
    lerLinhas(texto);
}

void Configuracoes::lerLinhas(const std::string& texto) {
    lendo = true;
    for (size_t inicio = 0; inicio < texto.size();) {
        size_t fim = texto.find('\n', inicio);
        if (fim == std::string::npos) fim = texto.size();
        const bool longa = fim - inicio > LINHA_MAXIMA;
        Linha l{texto.substr(inicio, std::min(fim - inicio, LINHA_MAXIMA)), "", "", false, longa};
        const std::string aparada = aparar(l.texto);
        const size_t igual = aparada.find('=');
        inicio = fim + 1;
        linhas.push_back(l);
        const int indice = static_cast<int>(linhas.size()) - 1;
        if (longa) {
            relatar(indice, "is longer than 4 KiB: ignored, and left out when the file is next written");
        } else if (aparada.empty() || aparada[0] == '#') {
            continue;
        } else if (igual == std::string::npos || aparar(aparada.substr(0, igual)).empty()) {
            relatar(indice, "is not a \"key = value\" line: ignored");
        } else {
            linhas.back().chave = aparar(aparada.substr(0, igual));
            linhas.back().valor = aparar(aparada.substr(igual + 1));
        }
    }
    lendo = false;
    if (omitidos > 0) {
        std::fprintf(getConsole(), "\n%s: %d more lines cannot be used either: ignored.\n", caminho.c_str(), omitidos);
    }
}

int Configuracoes::procurar(const std::string& chave) const {
    for (int i = static_cast<int>(linhas.size()) - 1; i >= 0; i--) {
        if (linhas[i].chave == chave) return i;
    }
    return -1;
}

void Configuracoes::relatar(int indice, const std::string& problema) {
    Linha& l = linhas[indice];
    if (l.relatada) return;
    l.relatada = true;
    // A junk file must not flood the console: a few, then a count.
    if (lendo && relatos++ >= RELATOS_MAXIMOS) {
        omitidos++;
        return;
    }
    std::fprintf(getConsole(), "\n%s:%d: \"%s\" %s\n", caminho.c_str(), indice + 1,
                 aparar(l.texto).substr(0, 80).c_str(), problema.c_str());
}

const std::string* Configuracoes::getValor(const std::string& chave) const {
    const int i = procurar(chave);
    return i < 0 ? nullptr : &linhas[i].valor;
}

double Configuracoes::getNumero(const std::string& chave, double padrao, double minimo, double maximo) {
    const int i = procurar(chave);
    if (i < 0) return padrao;
    const std::string& v = linhas[i].valor;
    char* fim = nullptr;
    const double x = std::strtod(v.c_str(), &fim);
    if (v.empty() || *fim != '\0' || !std::isfinite(x) || x < minimo || x > maximo) {
        char problema[160];
        std::snprintf(problema, sizeof problema, "is not a number from %g to %g: using %g", minimo, maximo, padrao);
        relatar(i, problema);
        return padrao;
    }
    return x;
}

int Configuracoes::getEscolha(const std::string& chave, int padrao, const std::vector<std::string>& opcoes) {
    const int i = procurar(chave);
    if (i < 0) return padrao;
    for (size_t o = 0; o < opcoes.size(); o++) {
        if (linhas[i].valor == opcoes[o]) return static_cast<int>(o);
    }
    std::string problema = "is not one of";
    for (size_t o = 0; o < opcoes.size(); o++) problema += (o ? ", " : " ") + opcoes[o];
    relatar(i, problema + ": using " + opcoes[padrao]);
    return padrao;
}

std::string Configuracoes::getTexto(const std::string& chave, const std::string& padrao) {
    const int i = procurar(chave);
    if (i < 0) return padrao;
    if (linhas[i].valor.empty()) {
        relatar(i, "has no value: using " + padrao);
        return padrao;
    }
    return linhas[i].valor;
}

bool Configuracoes::definir(const std::string& chave, const std::string& valor) {
    const int i = procurar(chave);
    const std::string texto = chave + " = " + valor;
    if (i < 0) {
        linhas.push_back(Linha{texto, chave, valor, false, false});
    } else {
        linhas[i] = Linha{texto, chave, valor, false, false};
    }
    return salvar();
}

bool Configuracoes::salvar() {
    if (caminho.empty() || intocavel) return false;
    std::string dados;
    for (const Linha& l : linhas) {
        if (!l.longa) dados += l.texto + "\n";
    }
    const std::string alvo = seguirLigacoes(caminho);
    const size_t barra = alvo.rfind('/');
    const std::string pasta = barra == std::string::npos ? "." : alvo.substr(0, barra);
    std::string temporario = alvo + ".XXXXXX";
    // What the next start would refuse to read is not written either.
    bool ok = static_cast<long>(dados.size()) <= TAMANHO_MAXIMO && criarPastas(pasta);
    int erro = ok ? 0 : errno;
    if (static_cast<long>(dados.size()) > TAMANHO_MAXIMO) erro = EFBIG;
    const int fd = ok ? mkostemp(temporario.data(), O_CLOEXEC) : -1;
    if (ok && fd < 0) {
        ok = false;
        erro = errno;
    }
    if (fd >= 0) {
        struct stat antes;
        const mode_t modo = stat(alvo.c_str(), &antes) == 0 ? antes.st_mode & 07777 : permissoesNovas();
        ok = fchmod(fd, modo) == 0 && escreverTudo(fd, dados) && fsync(fd) == 0;
        erro = errno;
        if (close(fd) != 0 && ok) {
            ok = false;
            erro = errno;
        }
        if (ok && std::rename(temporario.c_str(), alvo.c_str()) != 0) {
            ok = false;
            erro = errno;
        }
        // Only this game's own temporary, never another's.
        if (!ok) unlink(temporario.c_str());
    }
    // Once: a player changing a setting again and again learns nothing new.
    if (!ok && !falhaRelatada) {
        std::fprintf(getConsole(),
                     "\nThe settings file %s cannot be written (%s): this change lasts until the game ends.\n",
                     caminho.c_str(), std::strerror(erro));
    }
    falhaRelatada = !ok;
    return ok;
}
