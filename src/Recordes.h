#ifndef RECORDES_H
#define RECORDES_H

#include <string>
#include <vector>

// The record file: every finished race appends one line "Tempo: N mills"
// with the race's time in milliseconds; the records page shows the best ten.
// Only a plain file is read or written (ArquivoRegular): anything else in
// its place is reported, never waited on. A time that cannot be written is
// kept for the rest of the session and shown with the others.
class Recordes {
public:
    static constexpr int MAXIMO_MELHORES = 10;

    explicit Recordes(const std::string& arquivo = "records.txt");

    // The record file of a city: "records.txt" for city 1, as it always
    // was; "records-N.txt" for city N.
    static std::string nome(int cidade);
    virtual ~Recordes();

    // Appends one line and never truncates what is already there; says so
    // on one console line. The time is among the best from now on. When the file cannot be written, the console
    // line names it and what is wrong, the time is kept for this session,
    // and the answer is false.
    bool acrescentar(int milissegundos);

    // Reads the file again and keeps the best ten times, fastest first,
    // with the times of this session that could not be written. Lines that
    // are not a record are skipped, lines too long to be one as well (one
    // console line counts them); a missing file is an empty list.
    // relatar: whether what is wrong with the file goes to the console (a
    // second reading of the same file need not say it again).
    void carregar(bool relatar = true);

    const std::vector<int>& getMelhores() const { return melhores; }
    // False when the last carregar could not read the file (it is not a
    // plain file, or cannot be opened or read): the page says so.
    bool isLegivel() const { return legivel; }
    const std::string& getArquivo() const { return arquivo; }

    // One line of the file as a time, or -1 when it is not a record line.
    static int interpretarLinha(const std::string& linha);

private:
    void manter(int tempo);

    std::string arquivo;
    std::vector<int> melhores;
    std::vector<int> naoGravados;
    bool legivel;
};

#endif
