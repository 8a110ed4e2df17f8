#ifndef VERIFICADORASSETS_H
#define VERIFICADORASSETS_H

#include <string>
#include <vector>

// Checks, before the window opens, that every file the game will load is
// there and readable, so that a broken install is reported in one message
// instead of showing up as black screens and silent music.
class VerificadorAssets {
public:
    // The names of the list that cannot be opened for reading, in list order.
    static std::vector<std::string> faltando(const std::vector<std::string>& arquivos);

    // The console message for those files; empty when nothing is missing.
    static std::string mensagem(const std::vector<std::string>& faltantes);

    // Checks the game's whole asset set; prints the message and returns false
    // when something is missing.
    static bool verificarTudo();
};

#endif
