// Twenty races in a row in one process, as a long evening of play: each
// race loads a new city, traffic and car, is driven to the finish and
// writes its record. Whatever a race allocates must be given back by the
// next one: the resident memory may settle during the first race, but must
// not grow from the second race on. (Under the sanitizers the allocator
// keeps freed memory in quarantine, so there the leak checker at exit is
// the judge instead.)

#include <malloc.h>

#include <fstream>
#include <string>

#include "test_logica_ambiente.h"

namespace {

// Resident memory of this process in KiB, from /proc.
long memoriaResidenteKiB() {
    std::ifstream status("/proc/self/status");
    std::string campo;
    while (status >> campo) {
        if (campo == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(4096, '\n');
    }
    return -1;
}

// Bytes the program holds on the heap right now: sharper than the resident
// memory, which moves in whole pages.
long memoriaEmUsoBytes() {
    struct mallinfo2 m = mallinfo2();
    return static_cast<long>(m.uordblks + m.hblkhd);
}

}  // namespace

class Resistencia : public AmbienteLogica {
protected:
    // One race from the Play click back to the main menu, driven by the
    // fixture's player script; false if it did not get there.
    bool correr() {
        clicar(350, 380);
        std::vector<Quadro> q = correrAteOMenu();
        return !q.empty() && q.back().estado == menu;
    }
};

TEST_F(Resistencia, TwentyRacesInOneProcessKeepMemoryFlatAndWriteTwentyRecords) {
    const int CORRIDAS = 20;

    quadro();  // the first frame of the run, in the main menu
    std::vector<long> memoria;
    std::vector<long> heap;
    for (int corrida = 0; corrida < CORRIDAS; corrida++) {
        ASSERT_TRUE(correr()) << "race " << corrida + 1 << " did not get back to the menu";
        ASSERT_EQ(estado()->getSubEstado(), 41) << "race " << corrida + 1;
        memoria.push_back(memoriaResidenteKiB());
        heap.push_back(memoriaEmUsoBytes());
    }
    const std::string recordes = dir.ler("records.txt");
    EXPECT_EQ(std::count(recordes.begin(), recordes.end(), '\n'), CORRIDAS);

    std::string resumo;
    for (long m : memoria) resumo += std::to_string(m) + " ";
    std::printf("resident memory after each race (KiB): %s\n", resumo.c_str());
    resumo.clear();
    for (long h : heap) resumo += std::to_string(h) + " ";
    std::printf("heap in use after each race (bytes): %s\n", resumo.c_str());
#ifndef RONCO_COM_ASAN
    // Headroom for the allocator's own bookkeeping, below what one race's
    // world (a collision map, 50 traffic cars, a car) would leak per race
    // times eighteen races.
    const long FOLGA_KIB = 128;
    const long FOLGA_HEAP_BYTES = 16 * 1024;
    ASSERT_GT(memoria[1], 0);
    for (int corrida = 2; corrida < CORRIDAS; corrida++) {
        EXPECT_LE(memoria[corrida], memoria[1] + FOLGA_KIB)
            << "resident memory grew from " << memoria[1] << " KiB after race 2 to " << memoria[corrida]
            << " KiB after race " << corrida + 1;
        EXPECT_LE(heap[corrida], heap[1] + FOLGA_HEAP_BYTES)
            << "heap grew from " << heap[1] << " bytes after race 2 to " << heap[corrida] << " bytes after race "
            << corrida + 1;
    }
#endif
}
