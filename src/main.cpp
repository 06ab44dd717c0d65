#include "ui/Launcher.h"

#include <cstdio>
#include <cstdlib>

namespace {

// With no display at all the toolkit aborts with a screenful about platform plug-ins;
// one line says what is wrong. Windows always has its desktop.
bool hasNoDisplay()
{
#if defined(__unix__)
    for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" }) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return false;
    }
    return true;
#else
    return false;
#endif
}

} // namespace

int main(int, char** argv)
{
    if (hasNoDisplay()) {
        std::fputs("Tavorin: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set)\n", stderr);
        return 1;
    }
    // The launcher has no command-line options, and the toolkit gets none either.
    char* programOnly[] = { argv[0], nullptr };
    return tavorin::runLauncher(1, programOnly);
}
