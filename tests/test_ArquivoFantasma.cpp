#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "ArquivoFantasma.h"
#include "DiretorioTemporario.h"
#include "GravadorFantasma.h"

namespace {

PercursoFantasma gravado() {
    GravadorFantasma g;
    g.iniciar(1);
    for (int i = 0; i < 50; i++) g.gravar(i * 40, Vetor(550.25f + i, 50.0f + i * i / 3.0f), i * 0.7f);
    g.concluir(49 * 40 + 7);
    return g.getPercurso();
}

ArquivoFantasma::Leitura ler(const std::string& texto, std::string& problema) {
    DiretorioTemporario dir;
    dir.escrever("ghost.txt", texto);
    PercursoFantasma p;
    return ArquivoFantasma::ler("ghost.txt", 1, p, problema);
}

}  // namespace

TEST(ArquivoFantasma, WrittenAtomicallyAndReadBackExactly) {
    DiretorioTemporario dir;
    const PercursoFantasma p = gravado();
    std::string problema;
    dir.escrever("ghost.txt", "an older ghost");
    ASSERT_TRUE(ArquivoFantasma::escrever("ghost.txt", p, problema)) << problema;
    // Nothing left beside it: the temporary became the file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 1);
    PercursoFantasma lido;
    ASSERT_EQ(ArquivoFantasma::ler("ghost.txt", 1, lido, problema), ArquivoFantasma::LIDO) << problema;
    EXPECT_EQ(ArquivoFantasma::formatar(lido), ArquivoFantasma::formatar(p));  // every float to its last bit
    for (const AmostraFantasma& a : lido.amostras) EXPECT_LE(std::fabs(a.angulo), 3.1416f);  // not how often it spun
    EXPECT_EQ(ArquivoFantasma::ler("ghost-2.txt", 2, lido, problema), ArquivoFantasma::AUSENTE);
    EXPECT_FALSE(ArquivoFantasma::escrever("no/such/folder/ghost.txt", p, problema));
    EXPECT_EQ(problema, "cannot be written (No such file or directory)");
    // A run past the bound is no ghost.
    GravadorFantasma g;
    g.iniciar(1);
    for (int i = 0; i < GravadorFantasma::MAXIMO_AMOSTRAS; i++) g.gravar(i, Vetor(), 0);
    EXPECT_TRUE(g.isCompleto());
    g.gravar(0, Vetor(), 0);
    EXPECT_FALSE(g.isCompleto());
}

TEST(ArquivoFantasma, RefusesWhatIsNotAWholeGhostOfTheCity) {
    const std::string bom = ArquivoFantasma::formatar(gravado());
    std::string versao2 = bom, outraCidade = bom, atras = bom, fora = bom;
    versao2.replace(12, 1, "2");
    outraCidade.replace(bom.find("city 1"), 6, "city 3");
    atras.replace(bom.find("\n80 "), 4, "\n20 ");
    fora.replace(bom.find("\n40 "), 4, "\n9999 ");
    const std::pair<std::string, std::string> casos[] = {
        {bom.substr(0, bom.size() - 9), "is truncated: 50 samples announced, 49 found"},
        {bom.substr(0, bom.find("\n440 ") + 1), "is truncated: 50 samples announced, 11 found"},
        {versao2, "is a ghost file of version 2, and this game reads version 1"},
        {outraCidade, "is the ghost of city 3, not of city 1"},
        {atras, "is damaged at line 7"},
        {fora, "is damaged at line 6"},
        {bom + "1960 0 0 0\n", "is damaged at line 55"},
        {"ronco-ghost 1\ncity 1\ntime 99\nsamples 9001\n", "holds more samples than a ghost may (9000)"},
        {bom + std::string(ArquivoFantasma::MAXIMO_BYTES, '\n'), "is larger than a ghost file may be (524288 bytes)"},
        {std::string("\0\x7f\xff", 3), "is not a ghost file"}};
    for (const auto& [texto, esperado] : casos) {
        std::string problema;
        EXPECT_EQ(ler(texto, problema), ArquivoFantasma::RECUSADO) << esperado;
        EXPECT_EQ(problema, esperado);
    }
    std::string problema;
    EXPECT_EQ(ler(bom, problema), ArquivoFantasma::LIDO) << problema;
}
