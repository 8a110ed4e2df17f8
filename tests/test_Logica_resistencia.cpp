// Twenty races in a row in one process, as a long evening of play: each
// race loads a new city, traffic and car, is driven to the finish and
// writes its record. Whatever a race allocates must be given back by the
// next one: the heap in use (large blocks the allocator maps on their own
// included) may settle during the first race, but must
// not grow from the second race on. (Under the sanitizers the allocator
// keeps freed memory in quarantine, so there the leak checker at exit is
// the judge instead.)

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <string>

#include "AmbienteLogica.h"

namespace {

// Bytes the program holds on the heap right now: sharper than the resident
// memory, which moves in whole pages and keeps what the allocator keeps.
long memoriaEmUsoBytes() {
    struct mallinfo2 m = mallinfo2();
    return static_cast<long>(m.uordblks + m.hblkhd);
}

}  // namespace

class Resistencia : public AmbienteLogica {};

TEST_F(Resistencia, TwentyRacesInOneProcessKeepMemoryFlatAndWriteTwentyRecords) {
    const int CORRIDAS = 20;

    quadro();  // the first frame of the run, in the main menu
    std::vector<long> heap;
    for (int corrida = 0; corrida < CORRIDAS; corrida++) {
        clicar(350, 380);  // Play, then the fixture's driver to the finish and back to the menu
        ASSERT_EQ(correrAteOMenu().back().estado, menu) << "race " << corrida + 1;
        ASSERT_EQ(estado()->getSubEstado(), 41) << "race " << corrida + 1;
        heap.push_back(memoriaEmUsoBytes());
    }
    const std::string recordes = dir.ler("records.txt");
    EXPECT_EQ(std::count(recordes.begin(), recordes.end(), '\n'), CORRIDAS);

    std::string resumo;
    for (long h : heap) resumo += std::to_string(h) + " ";
    std::printf("heap in use after each race (bytes): %s\n", resumo.c_str());
#ifndef RONCO_COM_ASAN
    // Headroom for the allocator's own bookkeeping, below what one race's
    // world (a collision map, 50 traffic cars, a car) would leak per race
    // times eighteen races.
    const long FOLGA_HEAP_BYTES = 16 * 1024;
    for (int corrida = 2; corrida < CORRIDAS; corrida++) {
        EXPECT_LE(heap[corrida], heap[1] + FOLGA_HEAP_BYTES)
            << "heap grew from " << heap[1] << " bytes after race 2 to " << heap[corrida] << " bytes after race "
            << corrida + 1;
    }
#endif
}

// Shutdown stuck writing to an error output nobody drains (a full pipe):
// the watchdog still ends the process, in time and with its own status.
