#pragma once

#include "download/model/ModelCampos.h"

#include <QString>

// Writing of the notes service's bodies as JSON: one object, the keys of its class in field order.
class TEscritorJson
{
public:
    // Text as strings, integers and booleans as such, date-times as "yyyy-mm-ddThh:nn:ss.zzzZ" (a null
    // one as null), the notes as an array of objects.
    static QString Escreve(const TClasseJson& pClasse, const void* pObjeto);
};
