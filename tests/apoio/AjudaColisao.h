#ifndef AJUDACOLISAO_H
#define AJUDACOLISAO_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

// What `acao` printed on the console.
template <typename F>
std::string saidaDe(F acao) {
    std::fflush(stdout);
    testing::internal::CaptureStdout();
    acao();
    return testing::internal::GetCapturedStdout();
}

inline int contarLinhas(const std::string& texto) {
    return static_cast<int>(std::count(texto.begin(), texto.end(), '\n'));
}

#endif
