#include "selection.h"
