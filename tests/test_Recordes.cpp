#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <tuple>

#include "AjudaColisao.h"
#include "DiretorioTemporario.h"
#include "LeitorLinhas.h"
#include "Recordes.h"

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
    alarm(10);  // an open that waits for the pipe's other end ends the test
    for (const char* nome : {"d", "cano"}) {
        Recordes r(nome);
        const std::string escrita = saidaDe([&] { EXPECT_FALSE(r.acrescentar(777)); });
        const std::string leitura = saidaDe([&] { r.carregar(); });
        const std::string tipo = nome[0] == 'd' ? "a directory" : "a named pipe";
        EXPECT_EQ(escrita, std::string(nome) + ": is " + tipo +
                               ", not a plain file; time 777 mills kept for this session only\n");
        EXPECT_EQ(leitura, std::string(nome) + ": is " + tipo + ", not a plain file; the records cannot be read\n");
        EXPECT_FALSE(r.isLegivel());
        EXPECT_EQ(r.getMelhores(), std::vector<int>{777});
    }
    alarm(0);
    EXPECT_TRUE(std::filesystem::is_fifo("cano"));
}

TEST(Recordes, LoadsTheBestTenFastestFirstSkippingJunkAndOverlongLines) {
    DiretorioTemporario dir;
    std::string conteudo;
    for (int t : {500, 120, 900, 50, 700, 300, 1100, 1000, 800, 60, 400, 200})
        conteudo += "Tempo: " + std::to_string(t) + " mills\n";
    conteudo +=
        "junk\nTempo: -5 mills\nTempo: 12x mills\nTempo:  mills\nTempo: 99999999999 mills\n"
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
    // A line over the bound that comes in two reads, each under it, is
    // skipped as well.
    int cano[2];
    ASSERT_EQ(pipe(cano), 0);
    std::thread escritor([&cano] {
        const std::string a(3000, 'a'), b = std::string(3000, 'b') + "\nTempo: 5 mills\n";
        EXPECT_EQ(write(cano[1], a.data(), a.size()), static_cast<ssize_t>(a.size()));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_EQ(write(cano[1], b.data(), b.size()), static_cast<ssize_t>(b.size()));
        close(cano[1]);
    });
    LeitorLinhas leitor(cano[0]);
    std::string linha, lidas;
    while (leitor.proxima(linha)) lidas += linha + "|";
    escritor.join();
    close(cano[0]);
    EXPECT_EQ(lidas, "Tempo: 5 mills|");
    EXPECT_EQ(leitor.getLongasDemais(), 1);

    std::filesystem::remove("records.txt");
    EXPECT_EQ(saidaDe([&] { r.carregar(); }), "");  // no race finished yet: an empty page, silently
    EXPECT_TRUE(r.getMelhores().empty());
    EXPECT_TRUE(r.isLegivel());

    // A file that cannot be opened (a link to itself; one without read
    // permission as well, where the test is not run by root, who may read it).
    std::filesystem::create_symlink("records.txt", "records.txt");
    EXPECT_EQ(
        saidaDe([&] { r.carregar(); }),
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

// The finish screen's line: a record against the file's best (or against an
// empty file), or the best and how far behind, as the race clock shows them.
