#include "util/DateUtil.h"
