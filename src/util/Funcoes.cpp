#include "util/Funcoes.h"
