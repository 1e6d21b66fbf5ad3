#include <iostream>
#include <string>
#include <vector>

#include "tools/LayoutTool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const int status = tilvaro::RunLayoutTool(arguments, std::cout, std::cerr);
  std::cout.flush();
  return std::cout.fail() && status == 0 ? 1 : status;
}
