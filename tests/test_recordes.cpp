#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "DiretorioTemporario.h"
#include "Recordes.h"
#include "test_colisao_ajuda.h"

namespace {

// Runs `acao`, answering whether it ended by itself within two seconds. A
// call stuck on the named pipe `cano` (an open or a read waiting for the
// other end) is then set free by playing that other end, so that a fault
// fails the test instead of hanging it.
template <class F>
bool semEsperar(const char* cano, F acao) {
    std::atomic<bool> feito{false};
    std::thread t([&] {
        acao();
        feito = true;
    });
    for (int i = 0; i < 200 && !feito; i++) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const bool aTempo = feito;
    while (!feito) {
        const int fd = open(cano, O_RDWR | O_NONBLOCK);
        if (fd >= 0 && write(fd, "\n", 1) >= 0) close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    t.join();
    return aTempo;
}

}  // namespace

TEST(Recordes, AppendsWithoutTruncatingAndKeepsForTheSessionATimeItCannotWrite) {
    DiretorioTemporario dir;
    dir.escrever("records.txt", "Tempo: 90000 mills\n");
    EXPECT_EQ(saidaDe([] { EXPECT_TRUE(Recordes().acrescentar(61234)); }), "records.txt: time 61234 mills recorded\n");
    EXPECT_EQ(dir.ler("records.txt"), "Tempo: 90000 mills\nTempo: 61234 mills\n");
    dir.escrever("records.txt", "Tempo: 90000 mills");  // edited by hand: no last line end
    saidaDe([] { Recordes().acrescentar(500); });
    EXPECT_EQ(dir.ler("records.txt"), "Tempo: 90000 mills\nTempo: 500 mills\n");

    // Neither a directory nor a named pipe (with nobody at its other end)
    // is written or waited on: one line each, and the time stays on the
    // records page for the rest of the session.
    std::filesystem::create_directory("d");
    ASSERT_EQ(mkfifo("cano", 0644), 0);
    for (const char* nome : {"d", "cano"}) {
        Recordes r(nome);
        std::string escrita, leitura;
        EXPECT_TRUE(semEsperar("cano", [&] {
            escrita = saidaDe([&] { EXPECT_FALSE(r.acrescentar(777)); });
            leitura = saidaDe([&] { r.carregar(); });
        })) << nome;
        const std::string tipo = nome[0] == 'd' ? "a directory" : "a named pipe";
        EXPECT_EQ(escrita, std::string(nome) + ": is " + tipo + ", not a plain file; time 777 mills kept for this session only\n");
        EXPECT_EQ(leitura, std::string(nome) + ": is " + tipo + ", not a plain file; the records cannot be read\n");
        EXPECT_FALSE(r.isLegivel());
        EXPECT_EQ(r.getMelhores(), std::vector<int>{777});
    }
    EXPECT_TRUE(std::filesystem::is_fifo("cano"));
}

TEST(Recordes, LoadsTheBestTenFastestFirstSkippingJunkAndOverlongLines) {
    DiretorioTemporario dir;
    std::string conteudo;
    for (int t : {500, 120, 900, 50, 700, 300, 1100, 1000, 800, 60, 400, 200})
        conteudo += "Tempo: " + std::to_string(t) + " mills\n";
    conteudo += "junk\nTempo: -5 mills\nTempo: 12x mills\nTempo:  mills\nTempo: 99999999999 mills\n"
                "Tempo: 10 millis\n\n";
    // A 10 MB line and one just over the bound between good lines: skipped,
    // counted in one line, never read into memory whole. One of exactly the
    // bound is only junk.
    conteudo += "Tempo: 30 mills\n" + std::string(10 << 20, '7') + "\nTempo: 35 mills\n" + std::string(4097, 'x') +
                "\n" + std::string(4096, 'x') + "\n";
    conteudo += "Tempo: 70 mills\r\nTempo: 40 mills";  // CRLF; no final line end
    dir.escrever("records.txt", conteudo);
    Recordes r;
    EXPECT_EQ(saidaDe([&] { r.carregar(); }), "records.txt: 2 line(s) longer than 4096 bytes skipped\n");
    EXPECT_EQ(r.getMelhores(), (std::vector<int>{30, 35, 40, 50, 60, 70, 120, 200, 300, 400}));
    EXPECT_TRUE(r.isLegivel());
    std::filesystem::remove("records.txt");
    EXPECT_EQ(saidaDe([&] { r.carregar(); }), "");  // no race finished yet: an empty page, silently
    EXPECT_TRUE(r.getMelhores().empty());
    EXPECT_TRUE(r.isLegivel());

    // A file that cannot be opened (a link to itself; one without read
    // permission as well, where the test is not run by root, who may read it).
    std::filesystem::create_symlink("records.txt", "records.txt");
    EXPECT_EQ(saidaDe([&] { r.carregar(); }),
              "records.txt: cannot be opened for reading (Too many levels of symbolic links); the records cannot be read\n");
    EXPECT_FALSE(r.isLegivel());
    std::filesystem::remove("records.txt");
    dir.escrever("records.txt", "Tempo: 1 mills\n");
    chmod("records.txt", 0);
    if (geteuid() != 0) {
        EXPECT_NE(saidaDe([&] { r.carregar(); }).find("(Permission denied)"), std::string::npos);
        EXPECT_FALSE(r.isLegivel());
    }
}
