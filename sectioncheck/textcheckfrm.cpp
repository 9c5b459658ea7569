#include "sectioncheck/textcheckfrm.h"
