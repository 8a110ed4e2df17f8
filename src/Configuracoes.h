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
// temporary file in the same folder (made if missing), which then replaces
// the old file, so a crash or a full disk leaves either the old settings or
// the new ones, never half a file. A file that cannot be read or written is
// reported on the console once, and the game plays on with what it has.
//
// Values are read through the typed getters, which report a line whose value
// is not acceptable once (file, line number, what was expected) and answer
// the default instead.
class Configuracoes {
public:
    // console: where reports go (stdout when null).
    explicit Configuracoes(std::FILE* console = nullptr);
    virtual ~Configuracoes();

    // Reads the file at `caminho` and remembers it for saving. A missing
    // file is no error (nothing has been set yet). Lines longer than 4 KiB
    // are not settings: they are reported, and left out when the file is
    // next written.
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
    void relatar(int indice, const std::string& problema);
    bool salvar();

    std::FILE* console;
    std::string caminho;
    std::vector<Linha> linhas;
    bool falhaRelatada;
};

#endif
