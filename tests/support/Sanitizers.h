// The address sanitizer pads and watches every allocation and slows every
// step: a figure of time or memory means nothing under it, and a test that
// exists for such a figure, or only for volume, is left to the plain build.
#pragma once

#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#define TORVIK_SKIP_UNDER_SANITIZERS(why) GTEST_SKIP() << "under the sanitizers: " << (why)
#else
#define TORVIK_SKIP_UNDER_SANITIZERS(why) static_cast<void>(why)
#endif
