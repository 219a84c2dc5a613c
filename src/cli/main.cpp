#include "base/AtomicFile.h"
#include "cli/CliOptions.h"

#include <cstdio>
#include <iostream>

int main(int argc, char** argv) {
    // A signal or a file-size limit during the write leaves no temporary file.
    vistal::InstallAtomicWriteSignalHandlers();
    std::vector<std::string> args(argv + 1, argv + argc);
    const int status = vistal::cli::RunRender(args, std::cout, std::cerr);
    // Whatever is still buffered for the standard output must get there too.
    if (std::fflush(stdout) != 0 && status == 0) {
        std::cerr << "vistal-render: cannot write to the standard output\n";
        return 1;
    }
    return status;
}
