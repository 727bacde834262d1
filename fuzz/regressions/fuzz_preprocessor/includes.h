#include "self.h"
#include <sub/c.h>
F(a, b) S(c)
