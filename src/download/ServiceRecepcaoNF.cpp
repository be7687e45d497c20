#include "download/ServiceRecepcaoNF.h"
