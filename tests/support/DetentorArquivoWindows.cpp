#include "support/DetentorArquivo.h"

#include <QDir>
#include <chrono>
#include <windows.h>

bool TDetentorArquivo::Impede()
{
    return true;
}

TDetentorArquivo::~TDetentorArquivo()
{
    if (vLiberador.joinable())
        vLiberador.join();
    Libera();
}

bool TDetentorArquivo::Abre(const QString& pCaminho)
{
    // Readers and writers may share it, a rename or removal may not.
    const QString xNativo = QDir::toNativeSeparators(pCaminho);
    const HANDLE xHandle =
        CreateFileW(reinterpret_cast<const wchar_t*>(xNativo.utf16()), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (xHandle == INVALID_HANDLE_VALUE)
        return false;
    std::lock_guard<std::mutex> xTrava(vTrava);
    vArquivo = reinterpret_cast<qintptr>(xHandle);
    return true;
}

void TDetentorArquivo::LiberaApos(int pMs)
{
    vLiberador = std::thread([this, pMs] {
        std::this_thread::sleep_for(std::chrono::milliseconds(pMs));
        Libera();
    });
}

void TDetentorArquivo::Libera()
{
    std::lock_guard<std::mutex> xTrava(vTrava);
    if (vArquivo != -1) {
        CloseHandle(reinterpret_cast<HANDLE>(vArquivo));
        vArquivo = -1;
    }
}
