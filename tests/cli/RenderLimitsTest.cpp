// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"
#include "support/RenderSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vistal;
using vistal::test::Render;
using vistal::test::RunResult;
namespace fs = std::filesystem;

namespace {

// vistal-render itself, run with a file-size limit; its exit status or the
// negated signal that ended it, and what it printed on stderr.
std::pair<int, std::string> RunProgram(const std::vector<std::string>& args, rlim_t fileSizeLimit,
                                       const std::string& errFile, const char* outFile = "/dev/null") {
    const pid_t child = fork();
    if (child == 0) {
        rlimit limit{fileSizeLimit, fileSizeLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
        const int out = ::open(outFile, O_WRONLY);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, 1);
        ::dup2(err, 2);
        std::vector<char*> argv{const_cast<char*>(VISTAL_RENDER_PROGRAM)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(VISTAL_RENDER_PROGRAM, argv.data());
        std::_Exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status), test::ReadFileBytes(errFile)};
}

// A stream whose every write fails, as a full disk or a closed terminal makes it.
class TFailingBuffer : public std::streambuf {
protected:
    int overflow(int) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

} // namespace

// Every limit that is known before the drawing is checked before it: exit
// status 2, one line naming the option, what is needed and why it cannot be
// had, and no file.
TEST(RenderLimits, RefusedBeforeTheDrawing) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe.png").c_str(), 0644), 0);
    fs::create_directory(dir.Path() / "folder.png");
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> refused = {
        // 5.4 GB of pixels, but 4.02 GiB as a BMP file.
        {{"--size", "100000x14400", "-o", dir.File("big.bmp")},
         {"--size 100000x14400: ", "4.1 GiB", "BMP", "4 GiB"}},
        {{"--size", "65501x2", "-o", dir.File("wide.jpg")}, {"--size 65501x2: ", "65500"}},
        {{"--size", "3x65501", "-o", dir.File("tall.jpeg")}, {"--size 3x65501: ", "65500"}},
        {{"-o", dir.File("missing/x.png")}, {"-o ", "missing", "does not exist"}},
        {{"-o", dir.File("pipe.png")}, {"-o ", "not a regular file"}},
        {{"-o", dir.File("folder.png")}, {"-o ", "not a regular file"}},
    };
    for (const auto& [args, named] : refused) {
        const RunResult r = Render(args);
        EXPECT_EQ(r.status, 2) << args[1];
        for (const std::string& part : named)
            EXPECT_NE(r.err.find(part), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
    EXPECT_TRUE(fs::is_fifo(dir.File("pipe.png")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 2);

    // Memory, against a machine of a known size: a child with 300 MB left to map.
    const int ended = test::InChild([&] {
        test::LimitAddressSpace(300 << 20);
        std::ostringstream out, err;
        const int status = cli::RunRender({"--size", "100000x100000", "-o", dir.File("huge.png")}, out, err);
        const bool named =
            err.str().rfind("vistal-render: --size 100000x100000: needs 37.3 GiB (4 bytes a pixel)", 0) == 0;
        const int extended = cli::RunRender(
            {"--size", "4000x4000", "--mode", "potential1", "-o", dir.File("ext.png")}, out, err);
        return status == 2 && named && extended == 2 ? 0 : 1;
    });
    EXPECT_EQ(ended, 0);
}

// Values at the ends of every range draw a picture: the iteration limit's
// largest value, and views whose relief cannot be computed (shaded flat).
TEST(RenderLimits, ExtremeValuesStillDraw) {
    test::TempDir dir;
    const std::vector<std::vector<std::string>> extreme = {
        {"--iterations", "2147483647", "--mode", "potential1", "--center", "10,10"},
        {"--iterations", "2147483647", "--mode", "ext-normal", "--center", "10,10"},
        {"--escape", "1e200", "--mode", "potential1"},
        {"--escape", "1e300", "--mode", "potential2", "--compo", "off"},
        {"--correction", "300", "--mode", "potential1"},
        {"--correction", "-300", "--mode", "potential2"},
        {"--correction", "-300", "--mode", "potential3", "--bright", "2"},
        {"--center", "1e308,0", "--mode", "potential3"},
        {"--formula", "julia", "--julia", "1e308,-1e308", "--mode", "potential1"},
        {"--power", "100", "--mode", "potential1"},
        {"--formula", "julia", "--power", "60", "--mode", "potential2"},
    };
    for (std::vector<std::string> args : extreme) {
        const std::string name = args[0] + " " + args[1];
        args.insert(args.end(), {"--size", "24x16", "-o", dir.File("x.png")});
        const RunResult r = Render(args);
        EXPECT_EQ(r.status, 0) << name << ": " << r.err;
    }
    // A correction whose scale 10^X would be 0 or infinite is refused with its range.
    for (const char* bad : {"400", "-400", "301"}) {
        const RunResult r = Render({"--correction", bad, "-o", dir.File("x.png")});
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err.find("--correction: '" + std::string(bad) + "' is not a number from -300 to 300"),
                  std::string::npos)
            << r.err;
    }
}

// Standard output that cannot be written is an error, after the picture.
TEST(RenderLimits, AFailedStandardOutputIsAnError) {
    test::TempDir dir;
    TFailingBuffer failing;
    std::ostream out(&failing);
    std::ostringstream err;
    EXPECT_EQ(cli::RunRender({"--size", "8x6", "-o", dir.File("x.bmp")}, out, err), 1);
    EXPECT_NE(err.str().find("standard output"), std::string::npos) << err.str();
    EXPECT_TRUE(fs::exists(dir.File("x.bmp")));
    std::ostream help(&failing);
    EXPECT_EQ(cli::RunRender({"--help"}, help, err), 1);

    const auto [status, message] = RunProgram({"--size", "8x6", "-o", dir.File("y.bmp")}, RLIM_INFINITY,
                                              dir.File("err.txt"), "/dev/full");
    EXPECT_EQ(status, 1) << message;
    EXPECT_NE(message.find("standard output"), std::string::npos) << message;
}

// The program under a file-size limit: the write fails with a message, the
// old picture stays and no temporary file is left behind.
TEST(RenderLimits, AFileSizeLimitFailsTheWriteCleanly) {
    test::TempDir dir;
    fs::create_directory(dir.Path() / "out");
    const std::string file = dir.File("out/x.bmp");
    test::WriteFileBytes(file, "old");
    const auto [status, message] = RunProgram({"--size", "400x300", "-o", file}, 100000, dir.File("err.txt"));
    EXPECT_EQ(status, 1) << message;
    EXPECT_NE(message.find("File too large"), std::string::npos) << message;
    EXPECT_EQ(test::ReadFileBytes(file), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path() / "out"), {}), 1);
}
