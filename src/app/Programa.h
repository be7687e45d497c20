#pragma once

#include <functional>

class TfrmPrincipal;

// The program from start to end: blocks the ending signals, creates the application and the main window,
// runs the message loop, and cleans up (window, log's closing line). When a signal ended it, the process
// then ends by that signal; otherwise the loop's result is returned. pAoMostrar, when given, runs once
// the window is shown (a test drives the real program through it).
int ExecutaPrograma(int& argc, char** argv, const std::function<void(TfrmPrincipal&)>& pAoMostrar = {});

// What an ending signal does to the running program: every open dialog is closed as if cancelled, a run
// under way is stopped, and the message loop is asked to end once the handler running now has returned.
void EncerraPorSinal(TfrmPrincipal& pJanela, int pSinal);
