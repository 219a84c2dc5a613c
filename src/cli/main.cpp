// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AtomicFile.h"
#include "base/Language.h"
#include "cli/CliOptions.h"
#include "cli/Palettes.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    // A signal or a file-size limit during the write leaves no temporary file.
    vistal::InstallAtomicWriteSignalHandlers();
    // A closed pipe makes a write fail with EPIPE, reported with exit status 1,
    // instead of ending the program silently.
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    vistal::cli::TRenderEnvironment environment;
    environment.ErrIsTerminal = ::isatty(STDERR_FILENO) == 1;
    environment.OutIsTerminal = ::isatty(STDOUT_FILENO) == 1;
    environment.Language = vistal::LocaleLanguage();
    environment.PaletteFolders =
        vistal::cli::PaletteFolders(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"),
                                    std::getenv("XDG_DATA_DIRS"), vistal::cli::ProgramFolder());
    const int status = vistal::cli::RunRender(args, std::cout, std::cerr, environment);
    // Whatever is still buffered for the standard output must get there too.
    if (std::fflush(stdout) != 0 && status == 0) {
        std::cerr << "vistal-render: cannot write to the standard output\n";
        return 1;
    }
    return status;
}
