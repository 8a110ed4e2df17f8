#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "Configuracoes.h"
#include "DiretorioTemporario.h"
#include "Preferencias.h"

namespace {

// Everything written to a console so far.
struct Console {
    char* texto = nullptr;
    size_t tamanho = 0;
    std::FILE* f = open_memstream(&texto, &tamanho);
    ~Console() {
        std::fclose(f);
        std::free(texto);
    }
    std::string ler() {
        std::fflush(f);
        return std::string(texto, tamanho);
    }
};

}  // namespace

// A player's file with comments, a key from another version, a line that
// is no setting and a value out of range: the bad ones are reported once
// each (file and line) and their defaults used; changing a setting rewrites
// its own line and keeps every other line as it was.
TEST(Configuracoes, ChangesOneLineAndKeepsEveryOtherAndReportsBadLinesOnce) {
    DiretorioTemporario dir;
    const std::string caminho = (dir.getCaminho() / "ronco.conf").string();
    dir.escrever("ronco.conf",
                 "# my settings\n"
                 "sensitivity = loud\n"
                 "future_key = 3\n"
                 "microphone=  plughw:CARD=USB,DEV=0  \n"
                 "what is this\n"
                 "keyboard_throttle = always");
    Console console;
    Preferencias p(console.f);
    p.carregar(caminho);
    EXPECT_EQ(p.getSensibilidade(), 1.0f);
    EXPECT_EQ(p.getMicrofone(), "plughw:CARD=USB,DEV=0");
    EXPECT_EQ(p.getAceleradorTeclado(), Preferencias::SEMPRE);
    const std::string relatos = "\n" + caminho + ":5: \"what is this\" is not a \"key = value\" line: ignored\n\n" +
                                caminho + ":2: \"sensitivity = loud\" is not a number from 1 to 100: using 1\n";
    EXPECT_EQ(console.ler(), relatos);

    p.setSensibilidade(12.345f);
    p.setAceleradorTeclado(Preferencias::SEM_MICROFONE);
    EXPECT_EQ(dir.ler("ronco.conf"),
              "# my settings\n"
              "sensitivity = 12.35\n"
              "future_key = 3\n"
              "microphone=  plughw:CARD=USB,DEV=0  \n"
              "what is this\n"
              "keyboard_throttle = without_microphone\n");
    EXPECT_FALSE(std::filesystem::exists(caminho + ".tmp"));
    Preferencias outra(console.f);
    outra.carregar(caminho);
    EXPECT_FLOAT_EQ(outra.getSensibilidade(), 12.35f);
    EXPECT_EQ(console.ler(), relatos + relatos.substr(0, relatos.find("\n\n") + 1));
}

// No file yet, in a folder that does not exist: the game's defaults, and
// the first change makes the folders and the file. The default place
// follows XDG_CONFIG_HOME, or the home folder; with neither, a console line
// says that nothing will be kept.
TEST(Configuracoes, TheFirstChangeMakesTheFolderAndTheFileWhereXdgSays) {
    DiretorioTemporario dir;
    const char* antes = std::getenv("XDG_CONFIG_HOME");
    const std::string guardado = antes ? antes : "", casa = std::getenv("HOME") ? std::getenv("HOME") : "/";
    setenv("XDG_CONFIG_HOME", (dir.getCaminho() / "cfg" / "novo").c_str(), 1);
    const std::string caminho = Configuracoes::getCaminhoPadrao();
    EXPECT_EQ(caminho, (dir.getCaminho() / "cfg/novo/ronco/ronco.conf").string());
    setenv("XDG_CONFIG_HOME", "relative/path", 1);
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(Configuracoes::getCaminhoPadrao(), "/home/someone/.config/ronco/ronco.conf");
    unsetenv("HOME");
    EXPECT_EQ(Configuracoes::getCaminhoPadrao(), "");
    Console semPasta;
    Preferencias semCasa(semPasta.f);
    semCasa.carregar();
    EXPECT_EQ(semPasta.ler(),
              "\nNo folder to keep the settings in (neither XDG_CONFIG_HOME nor HOME is set): changes last until "
              "the game ends.\n");
    antes ? setenv("XDG_CONFIG_HOME", guardado.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", casa.c_str(), 1);

    Console console;
    Preferencias p(console.f);
    p.carregar(caminho);
    EXPECT_EQ(p.getSensibilidade(), 1.0f);
    EXPECT_EQ(p.getMicrofone(), "default");
    EXPECT_EQ(p.getAceleradorTeclado(), Preferencias::SEM_MICROFONE);
    p.setMicrofone("pulse");
    EXPECT_EQ(dir.ler("cfg/novo/ronco/ronco.conf"), "microphone = pulse\n");
    EXPECT_EQ(console.ler(), "");
}

// A save that fails (here: the disk allows no more bytes) leaves the old
// file whole and no temporary behind, and says so once however often
// settings change; once saving works again, the next change is saved. A
// file that is not a regular one is neither read nor written over.
TEST(Configuracoes, AFailedSaveKeepsTheOldFileIsReportedOnceAndLaterSavesGoOn) {
    DiretorioTemporario dir;
    const std::string caminho = (dir.getCaminho() / "ronco.conf").string();
    dir.escrever("ronco.conf", "sensitivity = 3\n");
    Console console;
    Preferencias p(console.f);
    p.carregar(caminho);
    struct rlimit antes, cheio;
    getrlimit(RLIMIT_FSIZE, &antes);
    cheio = {4, antes.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &cheio);
    p.setSensibilidade(5);
    p.setSensibilidade(6);
    setrlimit(RLIMIT_FSIZE, &antes);
    EXPECT_FLOAT_EQ(p.getSensibilidade(), 6.0f) << "the change holds for this session";
    EXPECT_EQ(dir.ler("ronco.conf"), "sensitivity = 3\n");
    EXPECT_EQ(console.ler(), "\nThe settings file " + caminho +
                                 " cannot be written (File too large): this change lasts until the game ends.\n");
    p.setSensibilidade(7);
    EXPECT_EQ(dir.ler("ronco.conf"), "sensitivity = 7.00\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.getCaminho()), {}), 1) << "a temporary was left";

    const std::string cano = (dir.getCaminho() / "cano.conf").string();
    ASSERT_EQ(mkfifo(cano.c_str(), 0600), 0);
    Console outro;
    Preferencias q(outro.f);
    q.carregar(cano);  // would block forever on a pipe nobody writes
    q.setSensibilidade(9);
    EXPECT_EQ(outro.ler(), "\nThe settings file " + cano + " is not a regular file: using the defaults.\n");
    struct stat info;
    ASSERT_EQ(stat(cano.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// Settings kept in a dotfiles folder through a link: the link stays, the
// file it points to gets the change and keeps its permissions. Two games
// saving at once each write a temporary of their own, and never touch
// another's: every save of both succeeds.
TEST(Configuracoes, SavingFollowsALinkKeepsTheModeAndTwoGamesNeverClash) {
    DiretorioTemporario dir;
    dir.escrever("dotfiles/ronco.conf", "# mine\nmusic = off\n");
    chmod((dir.getCaminho() / "dotfiles/ronco.conf").c_str(), 0600);
    std::filesystem::create_directories(dir.getCaminho() / "cfg/ronco");
    std::filesystem::create_symlink("../../dotfiles/ronco.conf", dir.getCaminho() / "cfg/ronco/ronco.conf");
    const std::string caminho = (dir.getCaminho() / "cfg/ronco/ronco.conf").string();
    dir.escrever("dotfiles/ronco.conf.tmp", "another game's");
    Console console;
    Preferencias p(console.f);
    p.carregar(caminho);
    EXPECT_FALSE(p.isMusicaLigada());
    p.setMicrofone("pulse");
    EXPECT_TRUE(std::filesystem::is_symlink(caminho));
    EXPECT_EQ(dir.ler("dotfiles/ronco.conf"), "# mine\nmusic = off\nmicrophone = pulse\n");
    struct stat info;
    ASSERT_EQ(stat(caminho.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(dir.ler("dotfiles/ronco.conf.tmp"), "another game's");

    int falhas = 0;
    auto jogo = [&](int volume) {
        Configuracoes c(console.f);
        c.carregar(caminho);
        for (int i = 0; i < 200; i++) falhas += !c.definir("music_volume", std::to_string(volume + i % 2));
    };
    std::thread outro(jogo, 10);
    jogo(50);
    outro.join();
    EXPECT_EQ(falhas + console.ler().size(), 0u);
    std::string fim = dir.ler("dotfiles/ronco.conf") + "  ";
    fim[53] = '?';  // 10 or 50 and 1 by turns: the last save of either game, whole
    EXPECT_EQ(fim, "# mine\nmusic = off\nmicrophone = pulse\nmusic_volume = ?1\n  ");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.getCaminho() / "dotfiles"), {}), 2);
}

// A file past 64 KiB is no settings file: one line says so, the defaults
// are used and it is never written over. Within the bound, a file of junk
// has its first bad lines reported, then one line with the count.
TEST(Configuracoes, AFileOverTheSizeBoundIsNeitherReadNorWrittenAndBadLinesAreCapped) {
    DiretorioTemporario dir;
    const std::string caminho = (dir.getCaminho() / "ronco.conf").string();
    std::string grande = "sensitivity = 50\n";
    grande.resize(Configuracoes::TAMANHO_MAXIMO + 1, '\n');
    dir.escrever("ronco.conf", grande);
    Console console;
    Preferencias p(console.f);
    p.carregar(caminho);
    EXPECT_EQ(p.getSensibilidade(), 1.0f);
    p.setSensibilidade(4);
    EXPECT_EQ(dir.ler("ronco.conf"), grande);
    EXPECT_EQ(console.ler(), "\nThe settings file " + caminho +
                                 " is larger than 64 KiB, which no settings file is: not read, the defaults are "
                                 "used, and it is never written over.\n");

    grande.resize(Configuracoes::TAMANHO_MAXIMO);
    dir.escrever("ronco.conf", grande);
    Preferencias q(console.f);
    q.carregar(caminho);
    EXPECT_EQ(q.getSensibilidade(), 50.0f) << "a file of exactly 64 KiB is read";
    q.setMicrofone("hw:1");
    EXPECT_EQ(dir.ler("ronco.conf"), grande) << "nor is one written past the bound";

    std::string lixo(20 * 5, 'x');
    for (int i = 0; i < 20; i++) lixo[5 * i + 4] = '\n';
    dir.escrever("ronco.conf", lixo + "sensitivity = loud\n");
    Console curto;
    Preferencias r(curto.f);
    r.carregar(caminho);
    const std::string relatos = curto.ler();
    EXPECT_EQ(std::count(relatos.begin(), relatos.end(), '\n'), 2 * (Configuracoes::RELATOS_MAXIMOS + 2));
    EXPECT_NE(
        relatos.find(":5: \"xxxx\" is not a \"key = value\" line: ignored\n\n" + caminho +
                     ": 15 more lines cannot be used either: ignored.\n\n" + caminho + ":21: \"sensitivity = loud\""),
        std::string::npos);
}

// The window's and the music's settings: read with their ranges (a bad
// value is reported and gives way to the default), written as the file's
// words when the game changes them.
TEST(Configuracoes, WindowMusicAndCitySettingsKeepToTheirRanges) {
    DiretorioTemporario dir;
    const std::string caminho = (dir.getCaminho() / "ronco.conf").string();
    Console console;
    Preferencias padrao(console.f);
    padrao.carregar(caminho);
    EXPECT_EQ(padrao.getEscala(), 0);  // auto
    EXPECT_FALSE(padrao.isTelaCheia() || padrao.isPixelPerfeito());
    EXPECT_TRUE(padrao.isMusicaLigada());
    EXPECT_EQ(padrao.getVolumeMusica(), 100);

    dir.escrever("ronco.conf", "scale = 4\nfullscreen = yes\npixel_perfect = true\nmusic = off\nmusic_volume = 40\n");
    Preferencias p(console.f);
    p.carregar(caminho);
    EXPECT_EQ(p.getEscala(), 0);
    EXPECT_FALSE(p.isTelaCheia());
    EXPECT_TRUE(p.isPixelPerfeito());
    EXPECT_FALSE(p.isMusicaLigada());
    EXPECT_EQ(p.getVolumeMusica(), 40);
    EXPECT_EQ(console.ler(), "\n" + caminho + ":1: \"scale = 4\" is not one of auto, 1, 2, 3: using auto\n\n" +
                                 caminho + ":2: \"fullscreen = yes\" is not one of false, true: using false\n");
    p.setEscala(2);
    p.setTelaCheia(true);
    p.setMusicaLigada(true);
    p.setVolumeMusica(250);
    p.setPixelPerfeito(false);
    EXPECT_EQ(dir.ler("ronco.conf"),
              "scale = 2\nfullscreen = true\npixel_perfect = false\nmusic = on\nmusic_volume = 100\n");
    dir.escrever("ronco.conf", "music_volume = 101\ncity = 100\n");
    Preferencias alto(console.f);
    alto.carregar(caminho);
    EXPECT_EQ(alto.getVolumeMusica(), 100);
    EXPECT_EQ(alto.getCidade(), 1);  // out of range: the default
    alto.setCidade(500);
    EXPECT_EQ(dir.ler("ronco.conf"), "music_volume = 101\ncity = 99\n");
}
