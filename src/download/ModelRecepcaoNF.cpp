#include "download/ModelRecepcaoNF.h"
