#include "util/GlobalVar.h"

QString MVersaoSoftware;
