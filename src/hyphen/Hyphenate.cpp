#include "hyphen/Hyphenate.h"
