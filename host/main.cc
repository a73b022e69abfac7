#include <iostream>
#include <string>
#include <vector>

#include "host/command.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return ostrevin::RunCommand(args, std::cout, std::cerr, std::cin);
}
