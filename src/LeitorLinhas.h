#ifndef LEITORLINHAS_H
#define LEITORLINHAS_H

#include <cstddef>
#include <string>

// The lines of an open file, each at most MAXIMO bytes long. A longer line
// is skipped whole (and counted) without ever being held in memory: a
// damaged or hostile file costs neither memory nor much time, and the good
// lines around it are still read.
class LeitorLinhas {
public:
    static constexpr size_t MAXIMO = 4096;

    explicit LeitorLinhas(int fd);

    // The next line, without its line end; false at the end of the file
    // or when a read fails (getErro). A last line without a line end counts.
    bool proxima(std::string& linha);

    int getLongasDemais() const { return longasDemais; }
    // errno of the read that failed, 0 when none did.
    int getErro() const { return erro; }

private:
    bool encher();

    int fd;
    char bloco[16384];
    size_t inicio;
    size_t fim;
    int longasDemais;
    int erro;
};

#endif
