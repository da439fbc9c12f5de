// The process fixtures under their earlier names; new tests include test_util.h.
#pragma once

#include "tests/test_util.h"

namespace tool {
using test::runProgram;
using test::runTool;
using test::splitLines;
using test::ToolRun;
}  // namespace tool
