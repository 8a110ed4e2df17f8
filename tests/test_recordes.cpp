#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "DiretorioTemporario.h"
#include "Recordes.h"

namespace {
std::string ler(const std::string& nome) {
    std::ifstream f(nome);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}
}  // namespace

TEST(Recordes, AppendsOneLinePerRaceAndKeepsWhatWasThere) {
    DiretorioTemporario dir;
    dir.escrever("records.txt", "Tempo: 90000 mills\n");
    Recordes r;
    EXPECT_TRUE(r.acrescentar(61234));
    EXPECT_TRUE(r.acrescentar(0));
    EXPECT_EQ(ler("records.txt"), "Tempo: 90000 mills\nTempo: 61234 mills\nTempo: 0 mills\n");
}

TEST(Recordes, UnwritableFileIsOneLineNamingItAndNothingIsLost) {
    DiretorioTemporario dir;
    dir.escrever("ro/records.txt", "Tempo: 5 mills\n");
    // A directory in the file's place cannot be opened for appending by
    // anyone, root included.
    std::filesystem::create_directory("records.txt");
    Recordes bloqueado;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(bloqueado.acrescentar(777));
    std::string saida = testing::internal::GetCapturedStdout();
    EXPECT_NE(saida.find("records.txt"), std::string::npos) << saida;
    EXPECT_EQ(std::count(saida.begin(), saida.end(), '\n'), 1) << saida;

    // A read-only file is not truncated (unless we are root, who may write).
    chmod("ro/records.txt", 0444);
    Recordes somenteLeitura("ro/records.txt");
    testing::internal::CaptureStdout();
    bool gravou = somenteLeitura.acrescentar(9);
    saida = testing::internal::GetCapturedStdout();
    if (geteuid() != 0) {
        EXPECT_FALSE(gravou);
        EXPECT_NE(saida.find("ro/records.txt"), std::string::npos) << saida;
        EXPECT_EQ(ler("ro/records.txt"), "Tempo: 5 mills\n");
    } else {
        EXPECT_EQ(ler("ro/records.txt"), "Tempo: 5 mills\nTempo: 9 mills\n");
    }
}

TEST(Recordes, LoadsTheBestTenFastestFirstSkippingJunk) {
    DiretorioTemporario dir;
    std::string conteudo;
    for (int t : {500, 120, 900, 50, 700, 300, 1100, 1000, 800, 60, 400, 200}) {
        conteudo += "Tempo: " + std::to_string(t) + " mills\n";
    }
    conteudo +=
        "garbage\n"
        "Tempo: -5 mills\n"
        "Tempo: 12x mills\n"
        "Tempo:  mills\n"
        "Tempo: 99999999999 mills\n"
        "Tempo: 10 millis\n"
        "\n"
        "Tempo: 70 mills\r\n"  // written on another system
        "Tempo: 40 mills";      // last line cut before its end
    dir.escrever("records.txt", conteudo);
    Recordes r;
    r.carregar();
    EXPECT_EQ(r.getMelhores(), (std::vector<int>{40, 50, 60, 70, 120, 200, 300, 400, 500, 700}));

    // Reloading replaces, never accumulates.
    dir.escrever("records.txt", "Tempo: 3 mills\nTempo: 3 mills\n");
    r.carregar();
    EXPECT_EQ(r.getMelhores(), (std::vector<int>{3, 3}));
}

TEST(Recordes, MissingFileIsAnEmptyListSilently) {
    DiretorioTemporario dir;
    Recordes r;
    testing::internal::CaptureStdout();
    r.carregar();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(r.getMelhores().empty());
}
