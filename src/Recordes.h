#ifndef RECORDES_H
#define RECORDES_H

#include <string>
#include <vector>

// The record file: every finished race appends one line "Tempo: N mills"
// with the race's time in milliseconds; the records page shows the best ten.
class Recordes {
public:
    static constexpr int MAXIMO_MELHORES = 10;

    explicit Recordes(const std::string& arquivo = "records.txt");
    virtual ~Recordes();

    // Appends one line and never truncates what is already there. When the
    // file cannot be written, says so on one console line naming it and
    // returns false.
    bool acrescentar(int milissegundos);

    // Reads the file again and keeps the best ten times, fastest first.
    // Lines that are not a record are skipped; a missing file is an empty
    // list.
    void carregar();

    const std::vector<int>& getMelhores() const { return melhores; }
    const std::string& getArquivo() const { return arquivo; }

    // One line of the file as a time, or -1 when it is not a record line.
    static int interpretarLinha(const std::string& linha);

private:
    std::string arquivo;
    std::vector<int> melhores;
};

#endif
