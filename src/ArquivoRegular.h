#ifndef ARQUIVOREGULAR_H
#define ARQUIVOREGULAR_H

#include <sys/types.h>

#include <string>

// A file of the player's opened only when it is a plain file (or, to
// append, absent: then it is created), and never waiting to open it. A
// named pipe without a writer, a device, a directory or anything else put
// in its place is refused and described instead: the game opens these
// files on its main thread, where a blocked open would freeze the window
// with nothing the player could do.
class ArquivoRegular {
public:
    enum Modo { LER, ACRESCENTAR };

    ArquivoRegular(const std::string& caminho, Modo modo);
    ~ArquivoRegular();
    ArquivoRegular(const ArquivoRegular&) = delete;
    ArquivoRegular& operator=(const ArquivoRegular&) = delete;

    bool isAberto() const { return fd >= 0; }
    // Reading: the file is not there, which is no fault (nothing to read).
    bool isAusente() const { return ausente; }
    // What is wrong, ready for a console line after the file's name ("is a
    // named pipe, not a plain file"); empty when open or absent.
    const std::string& getProblema() const { return problema; }
    int getFd() const { return fd; }

    // Whether the file has bytes and its last one is not a line end.
    bool isSemFimDeLinha() const;
    // The whole text, appended; false (with getProblema) when it could not
    // all be written.
    bool escrever(const std::string& texto);
    // The whole text to `fd`, however many writes it takes; false with
    // errno set when it could not all be written.
    static bool escreverTudo(int fd, const std::string& texto);
    // Closes now; false (with getProblema) when the system reports that
    // what was written did not reach the file.
    bool fechar();

private:
    void descrever(const std::string& caminho, int erro, const char* acao);

    int fd;
    bool ausente;
    std::string problema;
};

#endif
