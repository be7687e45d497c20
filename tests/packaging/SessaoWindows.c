/* The end of the session as Windows tells it to one program, for the tests under Wine (wineboot ends or
 * cancels the session on its own terms; Windows lets the user end it anyway after a program said no):
 * finds the top-level window whose title begins with the first argument, sends it WM_QUERYENDSESSION
 * and prints "resposta <its answer>", then sends WM_ENDSESSION with wParam TRUE ("fim", the session
 * ends) or FALSE ("cancelado", the session goes on). Exit status 2 when no such window shows within
 * 10 seconds. */
#include <stdio.h>
#include <wchar.h>
#include <windows.h>

static const wchar_t* MTitulo;
static HWND MJanela;

static BOOL CALLBACK Confere(HWND pJanela, LPARAM pNada)
{
    wchar_t xTitulo[512];
    (void)pNada;
    if (GetWindowTextW(pJanela, xTitulo, 512) > 0 && wcsncmp(xTitulo, MTitulo, wcslen(MTitulo)) == 0 &&
        IsWindowVisible(pJanela)) {
        MJanela = pJanela;
        return FALSE;
    }
    return TRUE;
}

int wmain(int argc, wchar_t** argv)
{
    DWORD_PTR xResposta = 0;
    if (argc < 3)
        return 3;
    MTitulo = argv[1];
    for (int xEspera = 0; !MJanela && xEspera < 50; ++xEspera) {
        EnumWindows(Confere, 0);
        if (!MJanela)
            Sleep(200);
    }
    if (!MJanela)
        return 2;
    if (!SendMessageTimeoutW(MJanela, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 30000, &xResposta))
        return 4;
    printf("resposta %d\n", (int)xResposta);
    fflush(stdout);
    /* The program may end while it answers: no answer is waited for. */
    SendMessageTimeoutW(MJanela, WM_ENDSESSION, wcscmp(argv[2], L"fim") == 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                        30000, &xResposta);
    return 0;
}
