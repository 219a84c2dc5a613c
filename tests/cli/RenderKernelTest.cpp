// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace vistal;
using vistal::cli::ParseRenderOptions;
using vistal::cli::RunRender;

TEST(RenderKernel, EveryPathWritesTheSamePicture) {
    test::TempDir dir;
    const std::vector<std::string> view = {"--size",   "97x61",          "--iterations", "3000", "--no-half",
                                           "--center", "-0.7436,0.1318", "--span",       "0.002"};
    std::string reference;
    for (TKernelPath path : {TKernelPath::Scalar, TKernelPath::Auto, TKernelPath::Generic, TKernelPath::Sse2,
                             TKernelPath::Avx2, TKernelPath::Avx512}) {
        if (!KernelPathSupported(path)) continue; // the renderer refuses a path the processor lacks
        const std::string kernel = KernelPathName(path);
        for (const char* threads : {"1", "2", "0"}) {
            const std::string file = dir.File(kernel + threads + ".bmp");
            std::vector<std::string> args = view;
            args.insert(args.end(), {"--kernel", kernel, "--threads", threads, "-o", file});
            std::ostringstream out, err;
            ASSERT_EQ(RunRender(args, out, err), 0) << err.str();
            const std::string bytes = test::ReadFileBytes(file);
            if (reference.empty()) reference = bytes;
            EXPECT_EQ(bytes, reference) << kernel << " threads " << threads;
        }
    }
}

TEST(RenderKernel, OptionsAreCheckedAndApplied) {
    auto o = ParseRenderOptions({"--kernel", "SCALAR", "--threads", "3", "-o", "a.bmp"});
    EXPECT_EQ(o.kernel, TKernelPath::Scalar);
    EXPECT_EQ(o.threads, 3);
    TVistal v;
    cli::ApplyRenderOptions(o, v);
    EXPECT_EQ(v.KernelPath, TKernelPath::Scalar);
    EXPECT_EQ(v.Threads, 3);
    EXPECT_EQ(ParseRenderOptions({"--threads=0", "-o", "a.bmp"}).threads, 0);

    // Without the options the engine keeps its defaults: the fast path on all cores.
    TVistal d;
    cli::ApplyRenderOptions(ParseRenderOptions({"-o", "a.bmp"}), d);
    EXPECT_EQ(d.KernelPath, TKernelPath::Auto);
    EXPECT_EQ(d.Threads, 0);

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--kernel", "fast", "-o", "a.bmp"},
                                                {"--kernel", "-o", "a.bmp"},
                                                {"--threads", "-1", "-o", "a.bmp"},
                                                {"--threads", "x", "-o", "a.bmp"},
                                                {"--threads", "100000", "-o", "a.bmp"},
                                                {"--threads"}}) {
        std::ostringstream out, err;
        EXPECT_EQ(RunRender(bad, out, err), 2) << bad[0] << " " << (bad.size() > 1 ? bad[1] : "");
        EXPECT_NE(err.str().find(bad[0]), std::string::npos) << err.str();
    }
}
