// setenv for the tests on every platform they run on.
#pragma once

#include <cstdlib>

#if defined(_WIN32)
#define setenv(name, value, overwrite) _putenv_s(name, value)
#endif
