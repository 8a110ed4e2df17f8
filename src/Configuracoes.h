#ifndef CONFIGURACOES_H
#define CONFIGURACOES_H

#include <cstdio>
#include <string>
#include <vector>

// A settings file of `key = value` lines, `#` comments and blank lines,
// kept line for line: a value changed by the game is written in place of its
// line (or appended), and every other line, comment or key the game does
// not know (a newer version's, a typo the player may fix) is written back
// as it was.
//
// Each change is saved at once and atomically: the new contents go to a
// temporary file of a name of its own (two games saving at once never share
// one) in the same folder (made if missing), which then replaces the old
// file, so a crash or a full disk leaves either the old settings or the new
// ones, never half a file. A link is followed: the file it points to (a
// player's dotfiles) is the one replaced, and the link stays. The file keeps
// its permissions. A save that fails is reported on the console once (until
// one succeeds again), and the next change is saved as usual.
//
// A settings file is small. One larger than TAMANHO_MAXIMO, or not a plain
// file, is reported once and not read (the defaults are used), and never
// written over. Bad lines are reported one by one only up to
// RELATOS_MAXIMOS, then counted in one line.
//
// Values are read through the typed getters, which report a line whose value
// is not acceptable once (file, line number, what was expected) and answer
// the default instead.
class Configuracoes {
public:
    static constexpr long TAMANHO_MAXIMO = 64 * 1024;
    static constexpr int RELATOS_MAXIMOS = 5;

    // console: where reports go (stdout when null).
    explicit Configuracoes(std::FILE* console = nullptr);
    virtual ~Configuracoes();

    // Reads the file at `caminho` and remembers it for saving. A missing
    // file is no error (nothing has been set yet). Lines longer than 4 KiB
    // are not settings: they are reported, and left out when the file is
    // next written. An empty `caminho` (no folder to keep settings in) is
    // said on the console: nothing will be saved.
    void carregar(const std::string& caminho);
    const std::string& getCaminho() const { return caminho; }

    // The value of the last line that sets `chave`, trimmed; nullptr when
    // none does.
    const std::string* getValor(const std::string& chave) const;

    // Typed readings: the value, or `padrao` when the key is absent or its
    // value is not acceptable (then reported once).
    double getNumero(const std::string& chave, double padrao, double minimo, double maximo);
    // `opcoes`: the accepted words; answers the index of the value among
    // them, or `padrao`.
    int getEscolha(const std::string& chave, int padrao, const std::vector<std::string>& opcoes);
    std::string getTexto(const std::string& chave, const std::string& padrao);

    // Sets `chave` to `valor` and saves the file. Answers whether it was
    // written.
    bool definir(const std::string& chave, const std::string& valor);

    // $XDG_CONFIG_HOME/ronco/ronco.conf, or ~/.config/ronco/ronco.conf when
    // XDG_CONFIG_HOME is unset or not absolute (empty if neither can be
    // made out).
    static std::string getCaminhoPadrao();

private:
    struct Linha {
        std::string texto;  // as read (without its line end)
        std::string chave;  // empty for comments, blanks and bad lines
        std::string valor;
        bool relatada;  // its problem has been reported
        bool longa;     // over 4 KiB: not written back
    };

    int procurar(const std::string& chave) const;
    void lerLinhas(const std::string& texto);
    void relatar(int indice, const std::string& problema);
    bool salvar();
    std::FILE* getConsole() const { return console ? console : stdout; }

    std::FILE* console;
    std::string caminho;
    std::vector<Linha> linhas;
    bool intocavel;      // never written over: not a plain file, or past the size bound
    bool falhaRelatada;  // the last save failed, and said so
    bool lendo;          // bad lines are being reported while reading
    int relatos;         // reported while reading
    int omitidos;        // bad lines past RELATOS_MAXIMOS, only counted
};

#endif
