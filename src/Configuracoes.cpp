#include "Configuracoes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

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

}  // namespace

Configuracoes::Configuracoes(std::FILE* console_) : console(console_), falhaRelatada(false) {}

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
    falhaRelatada = false;
    std::FILE* saida = console ? console : stdout;
    // Never blocks on a pipe or a device put where the file should be.
    const int fd = open(caminho.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            std::fprintf(saida, "\nThe settings file %s cannot be read (%s): using the defaults.\n", caminho.c_str(),
                         std::strerror(errno));
        return;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fprintf(saida, "\nThe settings file %s is not a regular file: using the defaults.\n", caminho.c_str());
        falhaRelatada = true;  // nor will it be written over
        close(fd);
        return;
    }
    std::FILE* f = fdopen(fd, "r");
    if (!f) {
        close(fd);
        return;
    }
    std::string atual;
    bool longa = false;
    auto fechar = [&]() {
        Linha l{atual, "", "", false, false};
        const std::string aparada = aparar(atual);
        const size_t igual = aparada.find('=');
        if (longa) {
            l.longa = true;
            linhas.push_back(l);
            relatar(static_cast<int>(linhas.size()) - 1,
                    "is longer than 4 KiB: ignored, and left out when the file is next written");
        } else if (aparada.empty() || aparada[0] == '#') {
            linhas.push_back(l);
        } else if (igual == std::string::npos || aparar(aparada.substr(0, igual)).empty()) {
            linhas.push_back(l);
            relatar(static_cast<int>(linhas.size()) - 1, "is not a \"key = value\" line: ignored");
        } else {
            l.chave = aparar(aparada.substr(0, igual));
            l.valor = aparar(aparada.substr(igual + 1));
            linhas.push_back(l);
        }
        atual.clear();
        longa = false;
    };
    int c;
    bool algo = false;
    while ((c = std::fgetc(f)) != EOF) {
        algo = true;
        if (c == '\n') {
            fechar();
            algo = false;
        } else if (atual.size() < LINHA_MAXIMA) {
            atual.push_back(static_cast<char>(c));
        } else {
            longa = true;
        }
    }
    if (algo) fechar();
    std::fclose(f);
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
    std::fprintf(console ? console : stdout, "\n%s:%d: \"%s\" %s\n", caminho.c_str(), indice + 1,
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
    if (caminho.empty() || falhaRelatada) return false;
    std::string dados;
    for (const Linha& l : linhas) {
        if (!l.longa) dados += l.texto + "\n";
    }
    const size_t barra = caminho.rfind('/');
    const std::string pasta = barra == std::string::npos ? "." : caminho.substr(0, barra);
    const std::string temporario = caminho + ".tmp";
    bool ok = criarPastas(pasta);
    int erro = errno;
    if (ok) {
        const int fd = open(temporario.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
        ok = fd >= 0 && escreverTudo(fd, dados) && fsync(fd) == 0;
        if (fd >= 0 && close(fd) != 0) ok = false;
        ok = ok && std::rename(temporario.c_str(), caminho.c_str()) == 0;
        erro = errno;
        if (!ok) unlink(temporario.c_str());
    }
    if (!ok) {
        // Once: a player changing a setting again and again learns nothing new.
        std::fprintf(console ? console : stdout,
                     "\nThe settings file %s cannot be written (%s): this change lasts until the game ends.\n",
                     caminho.c_str(), std::strerror(erro));
        falhaRelatada = true;
    }
    return ok;
}
