// The desktop program's entry point.
#include "app/qt/Startup.h"

int main(int argc, char** argv) { return pm::gui::RunDesktop(argc, argv); }
