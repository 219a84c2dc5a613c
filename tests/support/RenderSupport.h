// SPDX-License-Identifier: GPL-3.0-or-later
// Runs vistal-render in-process and keeps what it printed.
#pragma once

#include "cli/CliOptions.h"

#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace vistal::test {

struct RunResult {
    int status;
    std::string out, err;
};

inline RunResult Render(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    int status = cli::RunRender(args, out, err);
    return {status, out.str(), err.str()};
}

inline RunResult Render(const std::vector<std::string>& args, const cli::TRenderEnvironment& environment) {
    std::ostringstream out, err;
    int status = cli::RunRender(args, out, err, environment);
    return {status, out.str(), err.str()};
}

// Runs the built vistal-render with its standard output and error going to
// the given files, the given variables set ("NAME=value") and at most
// addressSpace bytes to map; its exit status, or the negated signal that ended it.
inline int RunRenderProgram(const std::vector<std::string>& args, const std::string& outFile,
                            const std::string& errFile, const std::vector<std::string>& variables = {},
                            rlim_t addressSpace = RLIM_INFINITY) {
    const pid_t child = fork();
    if (child == 0) {
        const rlimit limit{addressSpace, addressSpace};
        ::setrlimit(RLIMIT_AS, &limit);
        const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, 1);
        ::dup2(err, 2);
        for (const std::string& v : variables)
            ::putenv(const_cast<char*>(v.c_str()));
        std::vector<char*> argv{const_cast<char*>(VISTAL_RENDER_PROGRAM)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(VISTAL_RENDER_PROGRAM, argv.data());
        std::_Exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

} // namespace vistal::test
