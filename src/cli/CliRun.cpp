// SPDX-License-Identifier: GPL-3.0-or-later
// The whole run of vistal-render: the command line, the checks before any
// drawing, the drawing of one picture or of the frames of a zoom sequence,
// and the writing of the pictures to files or the standard output.
#include "cli/CliOptions.h"

#include "base/AboutText.h"
#include "base/AtomicFile.h"
#include "base/UFormat.h"
#include "base/WorkerPool.h"
#include "cli/Palettes.h"
#include "cli/ProgressBar.h"
#include "cli/ZoomSequence.h"
#include "colour/CountsFile.h"
#include "colour/ImageEffect.h"
#include "colour/ImageFile.h"
#include "colour/Messages.h"
#include "colour/PaletteFile.h"
#include "engine/PictureMemory.h"
#include "engine/ViewPrecision.h"
#include "locations/PictureView.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <future>
#include <memory>
#include <new>
#include <optional>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vistal::cli {

namespace {

constexpr char kStdoutName[] = "the standard output";

class TStreamReporter : public TErrorReporter {
public:
    explicit TStreamReporter(std::ostream& err) : err_(err) {}
    void ShowError(const std::string& text) override {
        err_ << "vistal-render: " << text << '\n';
        Reported = true;
    }
    bool Reported = false;

private:
    std::ostream& err_;
};

// A bad command line: the message, then where to look.
int CommandLineError(std::ostream& err, const std::string& message) {
    err << "vistal-render: " << message << "\nTry 'vistal-render --help'.\n";
    return 2;
}

// A refusal before any work: exit status 2, one line.
int Refuse(std::ostream& err, const std::string& what, const std::string& why) {
    err << "vistal-render: " << what << ": " << why << "\n";
    return 2;
}

// Why a file named on the command line cannot be read, as far as opening it
// tells (a FIFO is opened without waiting for its writer); a folder is no
// file. With folder, why it is no folder that can be read. Empty when nothing
// stands in the way.
std::string CannotRead(const std::string& name, bool folder = false) {
    const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
    if (fd < 0) return std::strerror(errno);
    struct stat st {};
    const bool isFolder = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    ::close(fd);
    return isFolder && !folder ? std::strerror(EISDIR) : std::string();
}

// What was printed on out must have got there: a full disk or a closed
// terminal is an error, even after the picture was written.
int Flushed(std::ostream& out, std::ostream& err, int status) {
    out.flush();
    if (out) return status;
    err << "vistal-render: cannot write to the standard output\n";
    return status == 0 ? 1 : status;
}

int ListPaletteNames(std::ostream& out, std::ostream& err, const TRenderEnvironment& environment) {
    for (const char* name : kBuiltinPalettes)
        out << name << "\tbuilt in\n";
    for (const TNamedPalette& p : ListPalettes(environment.PaletteFolders))
        if (!IsBuiltinPalette(p.Name)) out << p.Name << '\t' << p.Path << '\n';
    return Flushed(out, err, 0);
}

// A stdio stream writing into a C++ stream, for the encoders. A failed write
// keeps the errno of the failure (EPIPE for a closed pipe), else EIO.
std::FILE* OpenStreamFile(std::ostream& out) {
    cookie_io_functions_t io{};
    io.write = [](void* cookie, const char* data, std::size_t size) -> ssize_t {
        auto& stream = *static_cast<std::ostream*>(cookie);
        errno = 0;
        stream.write(data, static_cast<std::streamsize>(size));
        if (stream) return static_cast<ssize_t>(size);
        if (errno == 0) errno = EIO;
        return -1;
    };
    return fopencookie(&out, "w", io);
}

struct TPictureOutput {
    bool toStdout;
    TImageFileType type;
    double brightness;
    bool shadeOff;
};

// Applies the output effects and writes one picture.
void WritePicture(TBitmap& image, const std::string& fileName, const TPictureOutput& how,
                  const TPictureFileOptions& file, std::ostream& out) {
    ApplyOutputEffects(image, how.brightness, how.shadeOff);
    if (!how.toStdout) {
        WriteImageFile(image, fileName, how.type, file);
        return;
    }
    std::FILE* stream = OpenStreamFile(out);
    if (!stream) throw EImageFileError(msg::CannotWritePicture(kStdoutName, std::strerror(errno)));
    struct TClose {
        std::FILE* f;
        ~TClose() { std::fclose(f); }
    } close{stream};
    WriteImageStream(image, stream, kStdoutName, how.type, file);
    errno = 0;
    out.flush();
    if (!out) throw EImageFileError(msg::CannotWritePicture(kStdoutName, std::strerror(errno ? errno : EIO)));
}

// Applies the output effects and encodes a picture in memory: the part of a
// frame's writing that several frames may do at once.
std::string EncodePicture(TBitmap& image, const std::string& name, const TPictureOutput& how,
                          const TPictureFileOptions& file) {
    ApplyOutputEffects(image, how.brightness, how.shadeOff);
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* stream = open_memstream(&data, &size);
    if (!stream) throw std::bad_alloc();
    struct TRelease {
        std::FILE*& stream;
        char*& data;
        ~TRelease() {
            if (stream) std::fclose(stream);
            std::free(data);
        }
    } release{stream, data};
    WriteImageStream(image, stream, name, how.type, file);
    const bool closed = std::fclose(stream) == 0;
    stream = nullptr;
    if (!closed) throw std::bad_alloc();
    return std::string(data, size);
}

// Writes an encoded picture: a file replaced atomically, or the standard output.
void WriteEncoded(const std::string& bytes, const std::string& name, bool toStdout, std::ostream& out) {
    if (!toStdout) {
        try {
            WriteFileAtomically(name, bytes);
        } catch (const EFileWriteError& ex) {
            throw EImageFileError(msg::CannotWritePicture(name, ex.Reason()));
        }
        return;
    }
    errno = 0;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) throw EImageFileError(msg::CannotWritePicture(kStdoutName, std::strerror(errno ? errno : EIO)));
}

// How many frames are encoded at once: half the drawing's threads (encoding a
// frame takes about as long as drawing it on one core), at most 8, fewer when
// memory would not hold them; 0 when even one does not fit.
int FrameWriters(const TVistal& e, int wanted) {
    if (wanted <= 0) {
        const int threads = e.Threads > 0 ? e.Threads : TWorkerPool::HardwareThreads();
        wanted = std::clamp(threads / 2, 1, 8);
    }
    // The picture drawn, and for each frame in flight its picture and its bytes.
    for (int writers = wanted; writers >= 1; --writers)
        if (CheckPictureMemory(e.Width(), e.Height(), e.DrawMode, 1 + 2 * writers).empty()) return writers;
    return 0;
}

// Why the view's pixels are finer than doubles tell apart; empty when they are not.
std::string PrecisionProblem(const TVistal& e) {
    const TViewPrecision p = ViewPrecision(e);
    if (p.Resolved()) return {};
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, "a pixel is %.2g wide, and doubles near it are %.2g apart",
                  p.PixelStep, p.Ulp);
    return "the view is finer than doubles resolve at " + FormatReal(e.Center().Re) + "," +
           FormatReal(e.Center().Im) + ": " + numbers +
           "; neighbouring pixels share their points, so the picture shows blocks";
}

std::string FrameName(const TRenderOptions& o, int frames, int k) {
    if (o.toStdout) return kStdoutName;
    return frames > 1 ? FrameFileName(o.output, k) : o.output;
}

std::string CountsName(const TRenderOptions& o, int frames, int k) {
    return frames > 1 ? FrameFileName(*o.counts, k) : *o.counts;
}

} // namespace

int RunRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return RunRender(args, out, err, TRenderEnvironment{});
}

int RunRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const TRenderEnvironment& environment) {
    TRenderOptions o;
    try {
        o = ParseRenderOptions(args);
    } catch (const ECommandLine& ex) {
        return CommandLineError(err, ex.what());
    } catch (const std::bad_alloc&) {
        err << "vistal-render: out of memory while reading the command line\n";
        return 1;
    }
    if (o.help) {
        out << UsageText();
        return Flushed(out, err, 0);
    }
    if (o.version) {
        out << VersionText("vistal-render");
        return Flushed(out, err, 0);
    }
    if (o.listPalettes) return ListPaletteNames(out, err, environment);
    if (o.toStdout && environment.OutIsTerminal)
        return Refuse(err, "-o -",
                      "the standard output is a terminal; send the picture into a file or a pipe");

    // Every file to be written, known now: a folder that is not there or a FIFO.
    const int frames = o.frames.value_or(1);
    const std::vector<int> selected = SelectFrames(o.frameFirst.value_or(0), o.frameLast.value_or(frames - 1),
                                                   o.shard.value_or(1), o.shards.value_or(1));
    const bool drawing = !o.output.empty(); // else only the palette is written
    if (!o.toStdout && drawing)
        for (int k : selected) {
            const std::string name = FrameName(o, frames, k);
            if (const std::string problem = CheckFileWritable(name); !problem.empty())
                return Refuse(err, "-o " + name, problem);
        }
    if (o.counts)
        for (int k : selected) {
            const std::string name = CountsName(o, frames, k);
            if (const std::string problem = CheckFileWritable(name); !problem.empty())
                return Refuse(err, "--counts " + name, problem);
        }
    if (o.writePalette)
        if (const std::string problem = CheckFileWritable(*o.writePalette); !problem.empty())
            return Refuse(err, "--write-palette " + *o.writePalette, problem);

    // Every file to be read, and the palette folder: one that is missing or
    // cannot be read is named with the system's reason.
    const std::pair<const std::optional<std::string>*, bool> inputs[] = {{&o.vrpFile, false},
                                                                         {&o.fssFile, false},
                                                                         {&o.viewFrom, false},
                                                                         {&o.paletteFile, false},
                                                                         {&o.vcpFolder, true}};
    for (const auto& [name, folder] : inputs)
        if (*name)
            if (const std::string reason = CannotRead(**name, folder); !reason.empty()) {
                err << "vistal-render: " << **name << ": " << reason << "\n";
                return 1;
            }

    TStreamReporter reporter(err);
    std::string doing = "setting up the drawing";
    try {
        TVistal engine;
        reporter.Language = o.language.value_or(environment.Language);
        engine.ErrorReporter = &reporter;
        const TAppliedOptions applied = ApplyRenderOptions(o, engine, environment);
        // The palette in use, written once nothing can refuse the drawing any more.
        const auto writePalette = [&] {
            if (!o.writePalette) return;
            doing = "writing " + *o.writePalette;
            const TPaletteArray colors = engine.PaletteInUse();
            WritePaletteFile(*o.writePalette, colors, applied.Palette);
            if (!o.quiet && !o.toStdout)
                out << "vistal-render: wrote " << *o.writePalette << " (" << colors.size() << " colours)\n";
        };
        if (!drawing) {
            writePalette();
            return Flushed(out, err, 0);
        }

        // Every limit the sizes decide, before the drawing.
        const std::string size =
            "--size " + std::to_string(engine.Width()) + "x" + std::to_string(engine.Height());
        if (const std::string problem = CheckImageFileSize(engine.Width(), engine.Height(), o.outputType);
            !problem.empty())
            return Refuse(err, size, problem);
        if (const std::string problem = CheckPictureMemory(engine.Width(), engine.Height(), engine.DrawMode);
            !problem.empty())
            return Refuse(err, size, problem);
        // A zoom sequence draws a frame while earlier ones are encoded and written.
        const int writers = frames > 1 ? FrameWriters(engine, environment.FrameWriters) : 0;
        if (frames > 1 && writers == 0)
            return Refuse(err, size,
                          CheckPictureMemory(engine.Width(), engine.Height(), engine.DrawMode, 3) +
                              " (a zoom sequence holds a frame being drawn and one being written)");

        const TDeepPosition startPosition = engine.Position();
        TDeepPosition targetPosition = startPosition;
        if (frames > 1) {
            if (startPosition.Span.IsZero())
                return Refuse(err, "--span", "a zoom sequence needs a start span above 0");
            targetPosition.Re = *o.zoomRe;
            targetPosition.Im = *o.zoomIm;
            targetPosition.Span = *o.zoomSpan;
        }
        // Frames between the ends move on doubles exactly as they always
        // have while doubles resolve them, and with MPFR beyond.
        const bool doubleSpans =
            startPosition.Span.ToDouble() >= DBL_MIN && targetPosition.Span.ToDouble() >= DBL_MIN;
        const auto setView = [&](int k) {
            if (k == 0 || k == frames - 1) {
                engine.SetPosition(k == 0 ? startPosition : targetPosition);
                return;
            }
            if (doubleSpans) {
                const TZoomView v =
                    ZoomFrameView({startPosition.Center(), startPosition.Span.ToDouble()},
                                  {targetPosition.Center(), targetPosition.Span.ToDouble()}, k, frames);
                engine.SetCenter(v.Center);
                engine.SetImSpan(v.Span);
                if (!engine.DeepView()) return;
            }
            engine.SetPosition(DeepZoomFrameView(startPosition, targetPosition, k, frames, engine.Height()));
        };

        // A deep view needs the memory of its reference orbit and tables.
        bool deep = false;
        for (int k : {0, frames - 1}) {
            setView(k);
            deep = deep || engine.DeepView();
        }
        if (deep && !engine.Exact)
            if (const std::string problem = CheckDeepMemory(
                    engine.Iteration(), engine.Formula() == fmJulia,
                    PictureMemoryNeeded(engine.Width(), engine.Height(), engine.DrawMode), AvailableMemory());
                !problem.empty())
                return Refuse(err, "--iterations " + std::to_string(engine.Iteration()), problem);
        writePalette();

        if (!o.quiet) {
            for (const std::string& warning : applied.Warnings)
                err << "vistal-render: warning: " << warning << "\n";
            // The first frame whose pixels doubles do not tell apart, when
            // such views are drawn on doubles all the same.
            for (std::size_t i = 0;
                 i < selected.size() && engine.DeepMode == TDeepMode::Never && !engine.Exact; ++i) {
                const int k = selected[i];
                setView(k);
                if (const std::string problem = PrecisionProblem(engine); !problem.empty()) {
                    err << "vistal-render: warning: "
                        << (frames > 1 ? "from frame " + std::to_string(k) + " on, " : std::string())
                        << problem << "\n";
                    break;
                }
            }
        }

        std::optional<TProgressBar> bar;
        const bool showProgress =
            !o.quiet && (o.progress == TProgressWhen::Always ||
                         (o.progress == TProgressWhen::Auto && environment.ErrIsTerminal));
        if (showProgress)
            bar.emplace(err, environment.ErrIsTerminal ? TProgressStyle::Bar : TProgressStyle::Lines,
                        o.progress == TProgressWhen::Auto ? 1.0 : 0.0);

        const TPictureOutput how{o.toStdout, o.outputType, engine.BrightnessRaite(), engine.ShadeOff};
        TPictureFileOptions file;
        file.JpegQuality = o.quality;

        // The frames in flight: each is encoded on a thread of its own, and the
        // files are written one after another in frame order (so the standard
        // output gets them in order, and only one temporary file exists at a
        // time). Their pictures go back to the drawing once written.
        struct TFrameJob {
            TBitmap image;
            std::shared_future<void> done;
        };
        std::atomic<bool> failed{false};
        std::deque<std::unique_ptr<TFrameJob>> inFlight;
        // Whatever ends the run, no frame's thread outlives what it uses.
        struct TWaitForAll {
            std::deque<std::unique_ptr<TFrameJob>>& jobs;
            ~TWaitForAll() {
                for (const auto& job : jobs)
                    if (job->done.valid()) job->done.wait();
            }
        } waitForAll{inFlight};
        std::vector<TBitmap> spares;
        std::shared_future<void> lastWrite;
        const auto finishOldest = [&] {
            std::unique_ptr<TFrameJob> job = std::move(inFlight.front());
            inFlight.pop_front();
            job->done.get(); // a frame's failure ends the run
            spares.push_back(std::move(job->image));
        };

        // A file of counts from a basic method takes a counting pass of its
        // own after the drawing: half of each frame's progress.
        const bool countsPass = o.counts && engine.DrawMode < dmExtNormal;
        TBitmap single; // the one picture, when there are no frames
        const double count = static_cast<double>(selected.size());
        for (std::size_t i = 0; i < selected.size(); ++i) {
            const int k = selected[i];
            setView(k);
            const std::string label = frames > 1
                                          ? "frame " + std::to_string(k + 1) + " of " + std::to_string(frames)
                                          : std::string();
            double from = 0, share = countsPass ? 0.5 : 1;
            if (bar) {
                bar->Update(static_cast<double>(i) / count, label);
                engine.PumpHook = [&] {
                    const std::string phase = engine.ProgressPhase();
                    bar->Update((static_cast<double>(i) + from + share * engine.Progress()) / count,
                                phase.empty() || label.empty() ? label + phase : label + ", " + phase);
                };
            }
            doing = "drawing";
            engine.Draw();
            if (o.outputType != ftBmp || o.counts) {
                const TRecordLine text = ComposePictureText(engine, applied.Title, applied.Palette);
                file.Text = text.Ok() ? text.Line : std::string();
            }
            if (o.counts) {
                from = share;
                std::vector<std::int32_t> counts;
                std::vector<double> nu;
                engine.CountPixels(counts, &nu);
                doing = "writing " + CountsName(o, frames, k);
                WriteCountsFile(CountsName(o, frames, k), engine.Width(), engine.Height(), counts.data(),
                                nu.data(), engine.Iteration(), file.Text);
            }
            const std::string name = FrameName(o, frames, k);
            doing = "writing " + name;
            if (frames == 1) {
                std::swap(single, engine.DrawBitmap());
                WritePicture(single, name, how, file, out);
                break;
            }
            while (static_cast<int>(inFlight.size()) >= writers)
                finishOldest();
            auto job = std::make_unique<TFrameJob>();
            std::swap(job->image, engine.DrawBitmap());
            if (!spares.empty()) {
                std::swap(engine.DrawBitmap(), spares.back());
                spares.pop_back();
            }
            job->done = std::async(std::launch::async, [image = &job->image, name, &how, file,
                                                        previous = lastWrite, &failed, &out] {
                            try {
                                const std::string bytes = EncodePicture(*image, name, how, file);
                                if (previous.valid()) previous.wait();
                                // After a failed frame the run ends with its error.
                                if (!failed) WriteEncoded(bytes, name, how.toStdout, out);
                            } catch (...) {
                                failed = true;
                                throw;
                            }
                        }).share();
            lastWrite = job->done;
            inFlight.push_back(std::move(job));
        }
        while (!inFlight.empty())
            finishOldest();
        const int pictureWidth = engine.Width(), pictureHeight = engine.Height();
        if (o.stats) err << "kernel calls: " << engine.KernelCalls << "\n";
        if (bar) bar->Finish(1);
        if (!o.quiet && !o.toStdout) {
            const std::string dimensions =
                " (" + std::to_string(pictureWidth) + "x" + std::to_string(pictureHeight) + ")\n";
            if (frames == 1)
                out << "vistal-render: wrote " << o.output << dimensions;
            else if (selected.empty())
                out << "vistal-render: no frame of "
                    << (o.frameLast ? "frames " + std::to_string(*o.frameFirst) + " to " +
                                          std::to_string(*o.frameLast)
                                    : "the " + std::to_string(frames))
                    << " is in shard " << *o.shard << "/" << *o.shards << "\n";
            else if (static_cast<int>(selected.size()) == frames)
                out << "vistal-render: wrote " << frames << " frames, " << FrameName(o, frames, 0) << " to "
                    << FrameName(o, frames, frames - 1) << dimensions;
            else
                out << "vistal-render: wrote " << selected.size() << " of " << frames << " frames, "
                    << FrameName(o, frames, selected.front()) << " to "
                    << FrameName(o, frames, selected.back()) << dimensions;
        }
        return Flushed(out, err, 0);
    } catch (const ECommandLine& ex) {
        return CommandLineError(err, ex.what());
    } catch (const EAbort&) {
        // An abort after a reported error (a palette file that does not load) was explained already.
        if (!reporter.Reported) err << "vistal-render: the drawing was cancelled\n";
    } catch (const std::bad_alloc&) {
        err << "vistal-render: out of memory while " << doing << "\n";
    } catch (const std::exception& ex) {
        err << "vistal-render: " << ex.what() << "\n";
    }
    return 1;
}

} // namespace vistal::cli
