#include "terrain/CGrideBenchwork.h"

IMPLEMENT_SERIAL(CGrideBenchwork, CWalkerGride, 4)
