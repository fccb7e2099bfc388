#pragma once
// Kept for tests outside tests/tools that still include it; the helpers live in tests/support/ToolRunner.h.
#include "ToolRunner.h"
