#pragma once

// The mark a running program leaves for its installer and uninstaller, which neither install nor
// uninstall while a copy of the program runs anywhere on the machine.
// Windows: the named mutex Global\TarnwickEmExecucao (the Global namespace: the sessions of every user),
// held until the process ends; the installer looks for it with OpenMutexW. Any user may create a mutex
// there, and a second copy (another user's session) opens the first one's. POSIX: nothing (the Debian
// package's tools do not ask).
void MarcaEmExecucao();

// The mutex's name, for whoever looks for it.
inline constexpr wchar_t NOME_MARCA_EM_EXECUCAO[] = L"Global\\TarnwickEmExecucao";
