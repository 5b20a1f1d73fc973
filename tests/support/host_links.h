// The directory-backed machine shows the host's symbolic links as reparse points and the host's hard
// links as second names, so the cases that plant links run natively.  The Windows build runs its tests
// under Wine, where the C++ runtime cannot make host links; there the file-system contract checks the
// same refusals on the system's adapter, and these cases skip.
#pragma once

#include <gtest/gtest.h>

#ifdef _WIN32
#define REQUIRE_HOST_LINKS() GTEST_SKIP() << "the directory machine's links are host links, made natively only"
#else
#define REQUIRE_HOST_LINKS() static_cast<void>(0)
#endif
