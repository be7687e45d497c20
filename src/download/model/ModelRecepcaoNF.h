#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

// The JSON bodies of the notes service: one note, one page of a notes query, and the error body.
//
// Reading maps each JSON key, with "F" put in front, case-insensitively onto the class's fields,
// in document order (a later duplicate overwrites). Anything that is not one whole valid JSON object
// raises EConvertError("The input value is not a valid Object").
// The XML documents stay the UTF-8 bytes they arrived in: a step can hold gigabytes of them.

class TNota
{
public:
    static std::unique_ptr<TNota> FromJsonString(const QByteArray& AJsonString); // UTF-8
    static std::unique_ptr<TNota> FromJsonString(const QString& AJsonString);
    QString ToJsonString() const;

    qint32 Id = 0;
    QString Cnpj;
    QString TipoAmbiente;
    QString TipoNFe;
    QString CodEmpresa;
    QString NumNF;
    QString Serie;
    QDateTime DataEmissao;       // UTC; null until read
    QDateTime DataSincronizacao; // UTC; null until read
    QString NumeroNFSe;
    QString Chave;
    QByteArray Xml;             // UTF-8, exactly as received
    QByteArray XmlCancelamento; // UTF-8; empty when the note has no cancellation
    bool Cancelada = false;
    bool GerouCobranca = false;
};

using TListaNotas = std::vector<TNota>;

class TRecepcaoNFAPIResponse
{
public:
    static std::unique_ptr<TRecepcaoNFAPIResponse> FromJsonString(const QByteArray& AJsonString); // UTF-8
    static std::unique_ptr<TRecepcaoNFAPIResponse> FromJsonString(const QString& AJsonString);
    QString ToJsonString() const;

    // Moves every note of the page, in order, to the end of pDestino; the page is left empty.
    void MoveContentTo(TListaNotas& pDestino);

    TListaNotas Content;
    qint32 TotalPages = 0;
    qint32 TotalElements = 0;
    qint32 Size = 0;
    bool Empty = false;
    bool First = false;
    bool Last = false;
    qint32 Number = 0;
};

class TErrorResponse
{
public:
    static std::unique_ptr<TErrorResponse> FromJsonString(const QByteArray& AJsonString); // UTF-8
    static std::unique_ptr<TErrorResponse> FromJsonString(const QString& AJsonString);
    QString ToJsonString() const;

    QString error;
};
