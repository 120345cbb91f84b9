#include <csignal>

#include "../process.h"

void PrepareProcess() noexcept {
    // A file-size limit must arrive as a failed write that the engine can clean up after,
    // not as a signal that kills the process half-way through a block.
    std::signal(SIGXFSZ, SIG_IGN);
}
