#include "cli/CliOptions.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return vistal::cli::RunRender(args, std::cout, std::cerr);
}
