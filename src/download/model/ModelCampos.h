#pragma once

#include <cstddef>
#include <string_view>

// The fields of the three bodies of the notes service, in declaration order, as the reader and the
// writer of their JSON see them. One table per class drives both directions, so the keys written are
// the keys read.

enum class TTipoCampo : unsigned char
{
    Texto,    // QString
    Bytes,    // QByteArray holding UTF-8 text
    Inteiro,  // qint32
    Booleano, // bool
    DataHora, // QDateTime (UTC)
    Notas     // TListaNotas
};

struct TCampoJson
{
    std::string_view Chave; // the JSON key as written ("totalPages")
    TTipoCampo Tipo;
    void* (*Endereco)(void* pObjeto); // the field inside an object of the class
};

struct TClasseJson
{
    const TCampoJson* Campos;
    std::size_t Quantidade;

    // The field a JSON key reaches: the key compared with the field keys without regard to the case of
    // ASCII letters (the field names are the keys with "F" in front, so this is the same comparison).
    // nullptr when the key names no field.
    const TCampoJson* Procura(const char* pChave, std::size_t pTamanho) const;
};

extern const TClasseJson CLASSE_NOTA;     // TNota
extern const TClasseJson CLASSE_PAGINA;   // TRecepcaoNFAPIResponse
extern const TClasseJson CLASSE_ERRO;     // TErrorResponse
