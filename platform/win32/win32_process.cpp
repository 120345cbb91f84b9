#include <windows.h>

#include "../process.h"

void PrepareProcess() noexcept {
    // No box of the system's own for a drive or file that cannot be reached: the file
    // operation concerned simply fails. Added to whatever mode the process inherited.
    const UINT nMode = ::SetErrorMode(0);
    ::SetErrorMode(nMode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // The headless front end writes its messages in UTF-8; a program without a console has
    // none to set.
    ::SetConsoleOutputCP(CP_UTF8);
}
