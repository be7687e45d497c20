#pragma once

#include <functional>

class TfrmPrincipal;

// The program from start to end: blocks the ending signals, creates the application and the main window,
// runs the message loop, and cleans up (window, log's closing line). When the system's request to end
// (sistema/Termino.h: a signal, a log-off) ended it, the process then ends as the system expects (by
// that signal); otherwise the loop's result is returned. pAoMostrar, when given, runs once
// the window is shown (a test drives the real program through it).
int ExecutaPrograma(int& argc, char** argv, const std::function<void(TfrmPrincipal&)>& pAoMostrar = {});

// What the system's request to end does to the running program: every open dialog is closed as if
// cancelled, a run under way is stopped, and the message loop is asked to end once the handler running
// now has returned.
void EncerraPorPedido(TfrmPrincipal& pJanela, int pPedido);
