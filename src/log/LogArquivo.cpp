#include "log/LogArquivo.h"
