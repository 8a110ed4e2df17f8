#include <fcntl.h>
#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include <string>

#include "VigiaEncerramento.h"

TEST(Encerramento, AForcedExitIsNotASuccessAndWaitsOnNoOutput) {
    EXPECT_EXIT(
        {
            alarm(5);  // a watchdog waiting on the output would hang: this ends it
            int cano[2];
            if (pipe(cano) != 0 || fcntl(cano[1], F_SETFL, O_NONBLOCK) != 0) _exit(1);
            while (write(cano[1], "0123456789abcdef", 16) > 0) {
            }
            fcntl(cano[1], F_SETFL, 0);
            dup2(cano[1], STDOUT_FILENO);
            dup2(cano[1], STDERR_FILENO);
            VigiaEncerramento::armar(50);
            std::fputs("stuck\n", stderr);  // blocks for good, holding the stream
        },
        ::testing::ExitedWithCode(VigiaEncerramento::STATUS_FORCADO), "");
}
