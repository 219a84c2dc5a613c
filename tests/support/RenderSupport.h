// Runs vistal-render in-process and keeps what it printed.
#pragma once

#include "cli/CliOptions.h"

#include <sstream>
#include <string>
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

} // namespace vistal::test
