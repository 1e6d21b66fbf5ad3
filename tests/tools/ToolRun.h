#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "tools/LayoutTool.h"

namespace tilvaro::test {

// One run of tilvaro-layout's logic with the given arguments, and what it printed.
struct ToolRun {
  int status;
  std::string out, err;
};

inline ToolRun Tool(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  const int status = RunLayoutTool(arguments, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace tilvaro::test
