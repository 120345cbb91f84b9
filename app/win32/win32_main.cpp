// The process entry of the Windows program. The command line is never read.
#include <windows.h>

#include "tagger_app.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*pszCmdLine*/,
                    int /*nShowCmd*/) {
    return g_theApp.Run(hInstance);
}
