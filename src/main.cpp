#include "ui/Launcher.h"

int main(int argc, char** argv)
{
    return tavorin::runLauncher(argc, argv);
}
