#include "GerenteSegundoPlano.h"

#include <allegro.h>
#include <allegro/platform/aintunix.h>
#include <pthread.h>
#include <signal.h>
#include <time.h>

namespace {

const int MAXIMO_FUNCOES = 16;
const long PERIODO_NS = 10000000;  // the library's 10 ms

bg_func funcoes[MAXIMO_FUNCOES];
int usadas = 0;  // highest used entry + 1
pthread_t fio;
bool temFio = false;
volatile bool vivo = false;
pthread_mutex_t trava = PTHREAD_MUTEX_INITIALIZER;
pthread_cond_t liberadas = PTHREAD_COND_INITIALIZER;
int bloqueios = 0;  // how many times the calls are disabled

void* laco(void*) {
    sigset_t todos;
    sigfillset(&todos);
    pthread_sigmask(SIG_BLOCK, &todos, nullptr);
    timespec proxima;
    clock_gettime(CLOCK_MONOTONIC, &proxima);
    while (vivo) {
        proxima.tv_nsec += PERIODO_NS;
        if (proxima.tv_nsec >= 1000000000L) {
            proxima.tv_nsec -= 1000000000L;
            proxima.tv_sec++;
        }
        timespec agora;
        clock_gettime(CLOCK_MONOTONIC, &agora);
        // Late by more than a period (the machine was busy): one call, and
        // the pace starts again from now, as the library never catches up.
        if (agora.tv_sec > proxima.tv_sec + 1 ||
            (agora.tv_sec - proxima.tv_sec) * 1000000000L + agora.tv_nsec - proxima.tv_nsec > PERIODO_NS) {
            proxima = agora;
        }
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &proxima, nullptr) != 0 && vivo) {
        }
        if (!vivo) break;
        pthread_mutex_lock(&trava);
        while (bloqueios > 0) pthread_cond_wait(&liberadas, &trava);
        for (int i = 0; i < usadas; i++)
            if (funcoes[i]) funcoes[i](1);
        pthread_mutex_unlock(&trava);
    }
    return nullptr;
}

void habilitar() {
    pthread_mutex_lock(&trava);
    if (--bloqueios == 0) pthread_cond_signal(&liberadas);
    pthread_mutex_unlock(&trava);
}

void desabilitar() {
    pthread_mutex_lock(&trava);
    bloqueios++;
    pthread_mutex_unlock(&trava);
}

int desabilitadas() { return bloqueios; }

int iniciar() {
    for (bg_func& f : funcoes) f = nullptr;
    usadas = 0;
    bloqueios = 0;
    vivo = true;
    if (pthread_create(&fio, nullptr, laco, nullptr) != 0) {
        vivo = false;
        return -1;
    }
    temFio = true;
    return 0;
}

void encerrar() {
    if (temFio) {
        vivo = false;
        pthread_join(fio, nullptr);
        temFio = false;
    }
}

int registrar(bg_func f) {
    desabilitar();
    int i = 0;
    while (i < MAXIMO_FUNCOES && funcoes[i]) i++;
    const int resultado = i == MAXIMO_FUNCOES ? -1 : 0;
    if (resultado == 0) {
        funcoes[i] = f;
        if (i == usadas) usadas++;
    }
    habilitar();
    return resultado;
}

int retirarSemTrava(bg_func f) {
    int i = 0;
    while (i < usadas && funcoes[i] != f) i++;
    if (i == usadas) return -1;
    funcoes[i] = nullptr;
    while (usadas > 0 && !funcoes[usadas - 1]) usadas--;
    return 0;
}

// Called from one of the calls themselves (the window's input handler
// closing the program), the lock is already held by this thread.
int retirar(bg_func f) {
    if (temFio && pthread_equal(pthread_self(), fio)) return retirarSemTrava(f);
    desabilitar();
    const int resultado = retirarSemTrava(f);
    habilitar();
    return resultado;
}

}  // namespace

void GerenteSegundoPlano::instalar() {
    _bg_man_pthreads = bg_manager{1, iniciar, encerrar, registrar, retirar, habilitar, desabilitar, desabilitadas};
}
