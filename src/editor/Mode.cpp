#include "editor/Mode.h"
