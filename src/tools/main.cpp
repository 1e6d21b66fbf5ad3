#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "files/FileContents.h"
#include "tools/LayoutTool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const int status = tilvaro::RunLayoutTool(arguments, std::cout, std::cerr);
  // What could not be written (a full disk, a closed standard output) fails the run, and says so.
  std::cout.flush();
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;  // tries what is still buffered once more
  const int error = errno;
  if (!std::cout.fail() && flushed && !std::ferror(stdout)) return status;
  std::cerr << "tilvaro-layout: Kann die Ausgabe nicht schreiben (Standardausgabe)"
            << (error != 0 ? ": " + tilvaro::DescribeError(error) : std::string()) << "\n";
  return status == 0 ? 1 : status;
}
