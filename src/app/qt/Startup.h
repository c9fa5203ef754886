// The program's entry: the uninstall switches, the splash window, the
// browser checks, the windows in their order, the command-line path and the
// event loop.
#pragma once

namespace pm::gui {

int RunDesktop(int argc, char** argv);

// Lets Qt WebEngine start as root: its sandbox refuses to run there. Only
// for the root user; everyone else keeps the sandbox.
void AllowWebEngineAsRoot();

// A desktop program starts quietly: the toolkit's and the web engine's
// diagnostics stay off the terminal unless PELLMARK_DIAGNOSTICS is set.
// Critical messages still show.
void QuietDiagnostics();

}  // namespace pm::gui
