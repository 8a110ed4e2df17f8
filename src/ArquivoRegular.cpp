#include "ArquivoRegular.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string naoComum(mode_t modo) {
    const char* tipo = S_ISDIR(modo)    ? "a directory"
                       : S_ISFIFO(modo) ? "a named pipe"
                       : S_ISCHR(modo)  ? "a character device"
                       : S_ISBLK(modo)  ? "a block device"
                       : S_ISSOCK(modo) ? "a socket"
                                        : nullptr;
    return tipo != nullptr ? std::string("is ") + tipo + ", not a plain file" : "is not a plain file";
}

}  // namespace

ArquivoRegular::ArquivoRegular(const std::string& caminho, Modo modo) : fd(-1), ausente(false), problema() {
    // O_NONBLOCK only matters for what is refused anyway: a named pipe then
    // opens (or fails) at once instead of waiting for its other end.
    const int flags = modo == LER ? O_RDONLY : O_WRONLY | O_APPEND | O_CREAT;
    fd = open(caminho.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int erro = errno;
        if (modo == LER && erro == ENOENT) {
            ausente = true;
            return;
        }
        descrever(caminho, erro, modo == LER ? "reading" : "appending");
        return;
    }
    struct stat st;
    const bool examinado = fstat(fd, &st) == 0;
    if (!examinado || !S_ISREG(st.st_mode)) {
        problema = examinado ? naoComum(st.st_mode) : std::string("cannot be examined (") + std::strerror(errno) + ")";
        close(fd);
        fd = -1;
        return;
    }
    // Reads and writes of a plain file never wait anyway; back to the usual
    // mode all the same.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
}

ArquivoRegular::~ArquivoRegular() { fechar(); }

void ArquivoRegular::descrever(const std::string& caminho, int erro, const char* acao) {
    // A pipe without a reader or a directory answers with an error of its
    // own (ENXIO, EISDIR): what the name stands for says it better.
    struct stat st;
    if (stat(caminho.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        problema = naoComum(st.st_mode);
    } else {
        problema = std::string("cannot be opened for ") + acao + " (" + std::strerror(erro) + ")";
    }
}

bool ArquivoRegular::isSemFimDeLinha() const {
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0 || st.st_size == 0) return false;
    char ultimo = '\n';
    return pread(fd, &ultimo, 1, st.st_size - 1) == 1 && ultimo != '\n';
}

bool ArquivoRegular::escreverTudo(int fd, const std::string& texto) {
    size_t feito = 0;
    while (feito < texto.size()) {
        const ssize_t n = write(fd, texto.data() + feito, texto.size() - feito);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        feito += static_cast<size_t>(n);
    }
    return true;
}

bool ArquivoRegular::escrever(const std::string& texto) {
    if (fd < 0) return false;
    if (escreverTudo(fd, texto)) return true;
    problema = std::string("write failed (") + std::strerror(errno) + ")";
    return false;
}

bool ArquivoRegular::fechar() {
    if (fd < 0) return true;
    const int r = close(fd);
    fd = -1;
    if (r != 0 && errno != EINTR) {
        problema = std::string("write failed (") + std::strerror(errno) + ")";
        return false;
    }
    return true;
}
