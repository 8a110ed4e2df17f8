#ifndef DIRETORIOTEMPORARIO_H
#define DIRETORIOTEMPORARIO_H

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// Runs a test or a measurement inside a fresh working directory (the game
// reads its assets relative to it) and goes back and removes it afterwards.
class DiretorioTemporario {
public:
    DiretorioTemporario() : anterior(std::filesystem::current_path()) {
        std::string modelo = (std::filesystem::temp_directory_path() / "ronco-XXXXXX").string();
        caminho = mkdtemp(modelo.data());
        std::filesystem::current_path(caminho);
    }
    ~DiretorioTemporario() {
        std::filesystem::current_path(anterior);
        std::error_code erro;
        std::filesystem::remove_all(caminho, erro);
    }

    // Writes a file relative to the temporary directory, creating folders.
    void escrever(const std::string& nome, const std::string& conteudo) const {
        std::filesystem::path p = caminho / nome;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << conteudo;
    }

    // A whole file relative to the temporary directory; empty when missing.
    std::string ler(const std::string& nome) const {
        std::ifstream f(caminho / nome, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }

    const std::filesystem::path& getCaminho() const { return caminho; }

private:
    std::filesystem::path anterior;
    std::filesystem::path caminho;
};

#endif
