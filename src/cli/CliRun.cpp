// The whole run of vistal-render: the command line, the checks before any
// drawing, the drawing of one picture or of the frames of a zoom sequence,
// and the writing of the pictures to files or the standard output.
#include "cli/CliOptions.h"

#include "base/AboutText.h"
#include "base/AtomicFile.h"
#include "base/UFormat.h"
#include "cli/Palettes.h"
#include "cli/ProgressBar.h"
#include "cli/ZoomSequence.h"
#include "colour/ImageEffect.h"
#include "colour/ImageFile.h"
#include "colour/Messages.h"
#include "engine/PictureMemory.h"
#include "engine/ViewPrecision.h"
#include "locations/PictureView.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <future>
#include <new>
#include <optional>
#include <ostream>
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
    if (!o.toStdout)
        for (int k = 0; k < frames; ++k) {
            const std::string name = FrameName(o, frames, k);
            if (const std::string problem = CheckFileWritable(name); !problem.empty())
                return Refuse(err, "-o " + name, problem);
        }

    TStreamReporter reporter(err);
    std::string doing = "setting up the drawing";
    try {
        TVistal engine;
        engine.ErrorReporter = &reporter;
        const TAppliedOptions applied = ApplyRenderOptions(o, engine, environment);

        // Every limit the sizes decide, before the drawing.
        const std::string size =
            "--size " + std::to_string(engine.Width()) + "x" + std::to_string(engine.Height());
        if (const std::string problem = CheckImageFileSize(engine.Width(), engine.Height(), o.outputType);
            !problem.empty())
            return Refuse(err, size, problem);
        // A zoom sequence holds two pictures: one drawn while the other is written.
        if (const std::string problem =
                CheckPictureMemory(engine.Width(), engine.Height(), engine.DrawMode, frames > 1 ? 2 : 1);
            !problem.empty())
            return Refuse(err, size, problem);

        const TZoomView start{engine.Center(), engine.ImSpan()};
        TZoomView target = start;
        if (frames > 1) {
            if (!(start.Span > 0)) return Refuse(err, "--span", "a zoom sequence needs a start span above 0");
            target = {*o.zoomCenter, *o.zoomSpan};
        }
        const auto setView = [&](int k) {
            const TZoomView v = ZoomFrameView(start, target, k, frames);
            engine.SetCenter(v.Center);
            engine.SetImSpan(v.Span);
        };

        if (!o.quiet) {
            for (const std::string& warning : applied.Warnings)
                err << "vistal-render: warning: " << warning << "\n";
            // The first frame whose pixels doubles do not tell apart.
            for (int k = 0; k < frames; ++k) {
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
        // Frame k is written while frame k + 1 is drawn; the picture being
        // written and the drawing swap their buffers.
        TBitmap writing;
        std::future<void> written;
        for (int k = 0; k < frames; ++k) {
            setView(k);
            const std::string label = frames > 1
                                          ? "frame " + std::to_string(k + 1) + " of " + std::to_string(frames)
                                          : std::string();
            if (bar) {
                bar->Update(static_cast<double>(k) / frames, label);
                engine.PumpHook = [&] { bar->Update((k + engine.Progress()) / frames, label); };
            }
            doing = "drawing";
            engine.Draw();
            if (written.valid()) written.get(); // the previous frame's failure ends the run
            std::swap(writing, engine.DrawBitmap());
            if (o.outputType != ftBmp) {
                const TRecordLine text = ComposePictureText(engine, applied.Title, applied.Palette);
                file.Text = text.Ok() ? text.Line : std::string();
            }
            doing = "writing " + FrameName(o, frames, k);
            written = std::async(std::launch::async, [&writing, name = FrameName(o, frames, k), &how, file,
                                                      &out] { WritePicture(writing, name, how, file, out); });
            if (frames == 1) written.get();
        }
        if (written.valid()) written.get();
        if (o.stats) err << "kernel calls: " << engine.KernelCalls << "\n";
        if (bar) bar->Finish(1);
        if (!o.quiet && !o.toStdout) {
            const std::string dimensions =
                " (" + std::to_string(writing.Width()) + "x" + std::to_string(writing.Height()) + ")\n";
            if (frames == 1)
                out << "vistal-render: wrote " << o.output << dimensions;
            else
                out << "vistal-render: wrote " << frames << " frames, " << FrameName(o, frames, 0) << " to "
                    << FrameName(o, frames, frames - 1) << dimensions;
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
