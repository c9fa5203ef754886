#include "regexlists/RegExprList.h"
