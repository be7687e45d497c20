// A bare RapidJSON SAX pass that does nothing with the values. Built once per flag set (NUA_NOME,
// NUA_FLAGS) as a translation unit of its own, as the model's reader is, so that no flag set changes
// how the compiler inlines another.
#include "download/model/ModelLeitorJson.h"

#include <rapidjson/reader.h>

bool NUA_NOME(const char* pTexto)
{
    rapidjson::BaseReaderHandler<> xNada;
    rapidjson::StringStream xEntrada(pTexto);
    rapidjson::Reader xLeitor;
    return !xLeitor.Parse<(NUA_FLAGS)>(xEntrada, xNada).IsError();
}
