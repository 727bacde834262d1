// Sets an environment variable for the test process, on every platform the tests run on.
#pragma once

#include <cstdlib>

namespace test_support {

inline void SetEnvironment(const char* name, const char* value) {
#if defined(_WIN32)
    _putenv_s(name, value);
#else
    setenv(name, value, 1);
#endif
}

}  // namespace test_support
