#include "checkcli/checkcommand.h"
