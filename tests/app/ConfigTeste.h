#pragma once

#include "config/BancoTeste.h"
#include "config/Criptografia.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A working directory of its own while alive (where the window looks for Tarnwick.ini), with helpers
// that make branch databases of the embedded engine there and write the configuration file.
struct TAmbienteConfig
{
    QTemporaryDir Pasta;
    QString Anterior = QDir::currentPath();

    TAmbienteConfig() { QDir::setCurrent(Pasta.path()); }
    ~TAmbienteConfig() { QDir::setCurrent(Anterior); }
    TAmbienteConfig(const TAmbienteConfig&) = delete;
    TAmbienteConfig& operator=(const TAmbienteConfig&) = delete;

    QString Arquivo(const QString& pNome) const { return Pasta.filePath(pNome); }
    QString Ini() const { return Arquivo(QStringLiteral("Tarnwick.ini")); }

    // A database with table Filiais holding these branches (name, CNPJ), coded 01, 02, ... in order.
    QString CriaBanco(const QString& pNome, const QList<std::pair<QString, QString>>& pFiliais)
    {
        QList<BancoTeste::TLinha> xLinhas;
        for (qsizetype i = 0; i < pFiliais.size(); ++i)
            xLinhas.append({QStringLiteral("%1").arg(i + 1, 2, 10, QChar(u'0')), pFiliais[i].first,
                            QStringLiteral("SP"), pFiliais[i].second});
        const QString xCaminho = Arquivo(pNome);
        BancoTeste::Cria(xCaminho, QStringLiteral("WIN1252"), BancoTeste::TabelaFiliais(xLinhas));
        return xCaminho;
    }

    static QString Codifica(const QString& pSenha)
    {
        return TCriptografia::get().EncriptaASCII(pSenha, static_cast<std::uint16_t>(pSenha.size()));
    }

    // Writes the file as given (the password already in its stored form).
    void GravaIni(const QString& pCaminho, const QString& pUsuario, const QString& pSenhaGravada) const
    {
        QFile xArquivo(Ini());
        QVERIFY(xArquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QString xTexto = QStringLiteral("[CONEXAO]\r\nCaminho=%1\r\nUsuario=%2\r\nSenha=%3\r\n")
                                   .arg(pCaminho, pUsuario, pSenhaGravada);
        xArquivo.write(xTexto.toLatin1());
    }

    // A working configuration: a database with these branches and a file that points at it.
    QString Configura(const QList<std::pair<QString, QString>>& pFiliais)
    {
        const QString xBanco = CriaBanco(QStringLiteral("filiais.fdb"), pFiliais);
        GravaIni(xBanco, QStringLiteral("SYSDBA"), Codifica(QStringLiteral("masterkey")));
        return xBanco;
    }
};
