// What the installed Windows program shares with its installer: the mark of a running program the
// installer looks for, and the folder of an installation for all users, which the program treats as a
// folder of the system's programs (its users log in their own folder). Windows only: elsewhere the mark
// is nothing and no such entry exists.
#include "sistema/EmExecucao.h"
#include "sistema/Pastas.h"

#include <QtTest>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

class TesteInstalacao : public QObject
{
    Q_OBJECT

private slots:
    // After the mark is made the installer's OpenMutexW finds it; a second mark (a second copy) is
    // harmless.
    void marcaEmExecucao()
    {
#ifndef Q_OS_WIN
        MarcaEmExecucao();
        QSKIP("the mark is Windows' named mutex");
#else
        MarcaEmExecucao();
        MarcaEmExecucao();
        const HANDLE xMarca = OpenMutexW(SYNCHRONIZE, FALSE, NOME_MARCA_EM_EXECUCAO);
        QVERIFY2(xMarca != nullptr, qPrintable(QString::number(GetLastError())));
        CloseHandle(xMarca);
#endif
    }

    // The entry's "InstallLocation" names the folder of the executable: a program of the system; its
    // name in another case too; a folder inside it or beside it, or no entry, not.
    void pastaDaInstalacaoParaTodos_data()
    {
        QTest::addColumn<QString>("local"); // the entry's InstallLocation; empty: no entry
        QTest::addColumn<QString>("executavel");
        QTest::addColumn<bool>("doSistema");
        QTest::newRow("a pasta da entrada") << "C:\\Sistemas\\Tarnwick"
                                            << "C:/Sistemas/Tarnwick/Tarnwick.exe" << true;
        QTest::newRow("outra caixa") << "c:\\sistemas\\TARNWICK"
                                     << "C:/Sistemas/Tarnwick/Tarnwick.exe" << true;
        QTest::newRow("pasta dentro dela") << "C:\\Sistemas\\Tarnwick"
                                           << "C:/Sistemas/Tarnwick/sub/Tarnwick.exe" << false;
        QTest::newRow("pasta vizinha") << "C:\\Sistemas\\Tarnwick"
                                       << "C:/Sistemas/Tarnwick2/Tarnwick.exe" << false;
        QTest::newRow("sem entrada") << ""
                                     << "C:/Sistemas/Tarnwick/Tarnwick.exe" << false;
    }
    void pastaDaInstalacaoParaTodos()
    {
#ifndef Q_OS_WIN
        QSKIP("the uninstall entry is Windows'");
#else
        QFETCH(QString, local);
        QFETCH(QString, executavel);
        QFETCH(bool, doSistema);
        const wchar_t* CHAVE = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tarnwick";
        HKEY xChave = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, CHAVE, 0, KEY_READ | KEY_WOW64_64KEY, &xChave) ==
            ERROR_SUCCESS) {
            RegCloseKey(xChave);
            QSKIP("Tarnwick is installed for all users on this machine");
        }
        const auto xRemove =
            qScopeGuard([&] { RegDeleteKeyExW(HKEY_LOCAL_MACHINE, CHAVE, KEY_WOW64_64KEY, 0); });
        if (!local.isEmpty()) {
            QCOMPARE(RegCreateKeyExW(HKEY_LOCAL_MACHINE, CHAVE, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_64KEY,
                                     nullptr, &xChave, nullptr),
                     LSTATUS(ERROR_SUCCESS));
            const std::wstring xValor = local.toStdWString();
            RegSetValueExW(xChave, L"InstallLocation", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(xValor.c_str()),
                           DWORD((xValor.size() + 1) * sizeof(wchar_t)));
            RegCloseKey(xChave);
        }
        QCOMPARE(ProgramaDoSistema(executavel), doSistema);
#endif
    }
};

QTEST_GUILESS_MAIN(TesteInstalacao)
#include "tst_Instalacao.moc"
