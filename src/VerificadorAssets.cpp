#include "VerificadorAssets.h"

#include <cstdio>
#include <filesystem>

#include "CaminhosAssets.h"

std::vector<std::string> VerificadorAssets::faltando(const std::vector<std::string>& arquivos) {
    std::vector<std::string> faltantes;
    for (const std::string& nome : arquivos) {
        std::error_code erro;
        // A directory opens for reading on Linux but is no asset.
        bool regular = std::filesystem::is_regular_file(nome, erro);
        std::FILE* f = regular ? std::fopen(nome.c_str(), "rb") : nullptr;
        if (f == nullptr) {
            faltantes.push_back(nome);
        } else {
            std::fclose(f);
        }
    }
    return faltantes;
}

std::string VerificadorAssets::mensagem(const std::vector<std::string>& faltantes) {
    if (faltantes.empty()) {
        return "";
    }
    std::string texto = "Cannot start: " + std::to_string(faltantes.size()) +
                        " game file(s) missing or unreadable in " + std::filesystem::current_path().string() + ":\n";
    for (const std::string& nome : faltantes) {
        texto += "  " + nome + "\n";
    }
    texto +=
        "Run the game from the build's jogo/ directory (cd build/jogo && ../ronco), "
        "after a full build has generated the assets.\n";
    return texto;
}

bool VerificadorAssets::verificarTudo() {
    std::string texto = mensagem(faltando(CaminhosAssets::todos()));
    if (texto.empty()) {
        return true;
    }
    std::fputs(texto.c_str(), stderr);
    return false;
}
