#pragma once

#include <functional>

namespace tavorin {

class Form1;

// Creates the window on the program's folder, runs it, and saves on the way out.
// whenShown lets a measuring program watch the real window.
int runLauncher(int argc, char** argv, const std::function<void(Form1&)>& whenShown = {});

} // namespace tavorin
