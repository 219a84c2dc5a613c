// SPDX-License-Identifier: GPL-3.0-or-later
// The renderer in a pipeline: a picture on the standard output, read by the
// real decoder, a closed pipe or a full disk reported, and progress that
// stays out of log files.
#include "cli/CliOptions.h"
#include "support/ImageReaders.h"
#include "support/RenderSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vistal;
using vistal::test::RunResult;

namespace {

struct TPiped {
    int status;
    std::string out, err;
};

// Runs vistal-render with its standard output into a pipe that this process
// reads to the end, or closes at once when `closeEarly`.
TPiped RunIntoPipe(const std::vector<std::string>& args, const std::string& errFile,
                   bool closeEarly = false) {
    int fds[2];
    if (::pipe(fds) != 0) return {-1000, {}, {}};
    const pid_t child = fork();
    if (child == 0) {
        ::close(fds[0]);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fds[1], 1);
        ::dup2(err, 2);
        std::vector<char*> argv{const_cast<char*>(VISTAL_RENDER_PROGRAM)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(VISTAL_RENDER_PROGRAM, argv.data());
        std::_Exit(127);
    }
    ::close(fds[1]);
    std::string out;
    if (!closeEarly) {
        char buffer[65536];
        for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
            out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status), out, test::ReadFileBytes(errFile)};
}

} // namespace

TEST(RenderPipe, APictureOnTheStandardOutput) {
    test::TempDir dir;
    const TPiped piped = RunIntoPipe({"--size", "64x48", "-o", "-", "--format", "png"}, dir.File("err"));
    ASSERT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.err, "");
    test::WriteFileBytes(dir.File("piped.png"), piped.out);
    TVistal v;
    v.SetWidth(64);
    v.SetHeight(48);
    v.Draw();
    EXPECT_EQ(test::ReadPng(dir.File("piped.png")), v.GetImage());

    // A reader that goes away, and a full disk: exit status 1 with the reason.
    const TPiped closed = RunIntoPipe({"--size", "400x300", "-o", "-", "--format", "bmp"}, dir.File("err"),
                                      /*closeEarly=*/true);
    EXPECT_EQ(closed.status, 1) << closed.err;
    EXPECT_EQ(closed.err, "vistal-render: Cannot write the standard output: Broken pipe\n");
    const int full = test::RunRenderProgram({"-o", "-", "--format", "jpeg"}, "/dev/full", dir.File("err"));
    EXPECT_EQ(full, 1);
    EXPECT_EQ(test::ReadFileBytes(dir.File("err")),
              "vistal-render: Cannot write the standard output: No space left on device\n");

    // Binary data is not sent to a terminal.
    cli::TRenderEnvironment terminal;
    terminal.OutIsTerminal = true;
    const RunResult r = test::Render({"-o", "-", "--format", "png"}, terminal);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
}

TEST(RenderPipe, ProgressStaysOutOfLogFiles) {
    test::TempDir dir;
    // Without --progress, a log file gets nothing; with it, plain lines.
    ASSERT_EQ(test::RunRenderProgram({"--size", "300x200", "-o", dir.File("a.png")}, dir.File("out"),
                                     dir.File("log")),
              0);
    EXPECT_EQ(test::ReadFileBytes(dir.File("log")), "");
    ASSERT_EQ(test::RunRenderProgram({"--size", "300x200", "--progress", "-o", dir.File("a.png")},
                                     dir.File("out"), dir.File("log")),
              0);
    const std::string log = test::ReadFileBytes(dir.File("log"));
    EXPECT_EQ(log.find('\r'), std::string::npos) << log;
    const std::size_t lastLine = log.size() < 2 ? 0 : log.rfind('\n', log.size() - 2);
    EXPECT_EQ(log.find("vistal-render: 100% done in ", lastLine == std::string::npos ? 0 : lastLine + 1),
              lastLine == std::string::npos ? 0 : lastLine + 1)
        << log;
    EXPECT_LE(std::count(log.begin(), log.end(), '\n'), 10) << log;
}
