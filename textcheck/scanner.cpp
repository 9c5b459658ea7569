#include "textcheck/scanner.h"
