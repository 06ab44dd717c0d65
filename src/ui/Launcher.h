#pragma once

namespace tavorin {

// Creates the window on the program's folder, runs it, and saves on the way out.
int runLauncher(int argc, char** argv);

} // namespace tavorin
