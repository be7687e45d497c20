#pragma once

#include "download/model/ModelCampos.h"

#include <cstddef>
#include <rapidjson/reader.h>

// Reading of the notes service's JSON bodies: one SAX pass of RapidJSON fills the fields as the
// values arrive, without building a document.
class TLeitorJson
{
public:
    // Numbers reach the handler as the text written (1.50 stays "1.50"); the iterative reader keeps
    // deep nesting off the native stack; anything after the value is an error. The encoding is not
    // the reader's job: Le checks the whole text at once first (TModelUtf8), which is several times
    // faster than the reader's check of each character of each string.
    static constexpr unsigned FLAGS = rapidjson::kParseNumbersAsStringsFlag | rapidjson::kParseIterativeFlag;

    // Reads pTexto (pTamanho bytes of UTF-8 followed by a '\0', as QByteArray holds them) into
    // pObjeto, an object of pClasse at its initial values. Raises EConvertError: "The input value is not
    // a valid Object" for anything that is not one whole valid JSON object in well-formed UTF-8; a message
    // of its own for a value its field cannot take (the object may then be partly filled).
    static void Le(const char* pTexto, std::size_t pTamanho, const TClasseJson& pClasse, void* pObjeto);
};
