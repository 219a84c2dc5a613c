// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AtomicFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace vistal;
namespace fs = std::filesystem;

namespace {

std::size_t EntriesIn(const fs::path& dir) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
}

} // namespace

// Only a regular file is replaced: a FIFO or a device, named directly or
// through a link, is refused and stays what it was.
TEST(AtomicFile, RefusesWhatIsNoRegularFile) {
    test::TempDir dir;
    const std::string fifo = dir.File("pipe.bmp");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_symlink("pipe.bmp", dir.File("to-pipe.bmp"));
    std::vector<std::string> names = {fifo, dir.File("to-pipe.bmp")};
    // A copy of /dev/null, where this process may make one (as root).
    const std::string device = dir.File("null.bmp");
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) names.push_back(device);
    for (const std::string& name : names) {
        try {
            WriteFileAtomically(name, "picture");
            ADD_FAILURE() << name << " was written";
        } catch (const EFileWriteError& e) {
            EXPECT_NE(e.Reason().find("not a regular file"), std::string::npos) << e.what();
        }
        EXPECT_NE(CheckFileWritable(name).find("not a regular file"), std::string::npos) << name;
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_symlink(dir.File("to-pipe.bmp")));
    if (names.size() == 3) {
        EXPECT_TRUE(fs::is_character_file(device));
    }
    EXPECT_EQ(EntriesIn(dir.Path()), names.size());
}

// A link to a file that does not exist yet is followed: the file is created
// where it points and the link stays.
TEST(AtomicFile, FollowsADanglingLink) {
    test::TempDir dir;
    fs::create_directory(dir.Path() / "made");
    fs::create_symlink("made/new.bmp", dir.File("pic.bmp"));
    EXPECT_EQ(CheckFileWritable(dir.File("pic.bmp")), "");
    WriteFileAtomically(dir.File("pic.bmp"), "picture");
    EXPECT_TRUE(fs::is_symlink(dir.File("pic.bmp")));
    EXPECT_EQ(test::ReadFileBytes(dir.File("made/new.bmp")), "picture");
    EXPECT_EQ(EntriesIn(dir.Path() / "made"), 1u);

    EXPECT_NE(CheckFileWritable(dir.File("no/such/folder.bmp")).find("does not exist"), std::string::npos);
    EXPECT_NE(CheckFileWritable(dir.File("made/new.bmp/x.bmp")), "");
    EXPECT_NE(CheckFileWritable(dir.Path().string()).find("not a regular file"), std::string::npos);
}

// A rewrite keeps the owner and group of the file and drops the set-user-ID
// and set-group-ID bits; names up to the longest a folder allows can be written.
TEST(AtomicFile, RewritesKeepTheOwnerAndFitLongNames) {
    test::TempDir dir;
    const std::string file = dir.File("owned.ini");
    test::WriteFileBytes(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 06750), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(file.c_str(), 4321, 8765), 0);
    }
    WriteFileAtomically(file, "new");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0750u);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 8765u);
    }

    for (std::size_t length : {240u, 250u, 255u}) {
        const std::string name = dir.File(std::string(length - 4, 'n') + ".png");
        WriteFileAtomically(name, "long");
        WriteFileAtomically(name, "longer"); // beside an existing file of that name
        EXPECT_EQ(test::ReadFileBytes(name), "longer") << length;
    }
    EXPECT_EQ(EntriesIn(dir.Path()), 4u);
}

// A signal that ends the program in the middle of a write removes the
// temporary file; the old file stays as it was and the program still ends by
// that signal. A file-size limit makes the write fail instead of ending it.
TEST(AtomicFile, SignalsAndFileSizeLimitsLeaveNoTemporaryFile) {
    test::TempDir dir;
    const std::string file = dir.File("picture.png");
    test::WriteFileBytes(file, "old");
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        const int ended = test::InChild([&] {
            InstallAtomicWriteSignalHandlers();
            WriteFileAtomically(file, [&](std::FILE* f) {
                std::fputs("half a picture", f);
                std::fflush(f);
                std::raise(sig);
            });
            return 0;
        });
        EXPECT_EQ(ended, -sig);
        EXPECT_EQ(test::ReadFileBytes(file), "old");
        EXPECT_EQ(EntriesIn(dir.Path()), 1u) << "signal " << sig;
    }

    // SIGKILL cannot be caught: the old file is intact, and the temporary file
    // left beside it says whose it is and which file it was to replace.
    EXPECT_EQ(test::InChild([&] {
                  InstallAtomicWriteSignalHandlers();
                  WriteFileAtomically(file, [](std::FILE*) { std::raise(SIGKILL); });
                  return 0;
              }),
              -SIGKILL);
    EXPECT_EQ(test::ReadFileBytes(file), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 2u);
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        if (entry.path() != file) {
            EXPECT_TRUE(std::regex_match(entry.path().filename().string(),
                                         std::regex(R"(\.picture\.png\.vistal-[0-9]+\.tmp)")))
                << entry.path();
            fs::remove(entry.path());
        }

    const int ended = test::InChild([&] {
        InstallAtomicWriteSignalHandlers();
        rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            WriteFileAtomically(file, std::string(5000, 'x'));
        } catch (const EFileWriteError& e) {
            return e.Reason() == "File too large" ? 0 : 2;
        }
        return 1;
    });
    EXPECT_EQ(ended, 0);
    EXPECT_EQ(test::ReadFileBytes(file), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}
