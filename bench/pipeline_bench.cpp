// Each pipeline step on its own, in process, on the picture the decoder
// extracted: the step gets the settings it would get in a conversion and a
// fresh copy of the picture every iteration, so only the step itself is timed.
// With --pac, the built-in PhotoCD decoder on that pac, whole and by its
// parts: reading the file, decoding the resolutions, colour and turn.
//
//   korvane_pipeline_bench --picture=FILE.ppm --targa=FILE.tga --mark=FILE.png
//                          [--pac=FILE.pcd] [Google Benchmark flags]

#include <FreeImage.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/geometry.h"
#include "engine/output_encoding.h"
#include "engine/photocd_decoder.h"
#include "engine/photocd_source.h"
#include "engine/resize.h"
#include "engine/tone.h"
#include "overlay/frame.h"
#include "overlay/naming.h"
#include "overlay/watermark.h"
#include "overlay/watermark_font.h"
#include "picture/picture_handle.h"
#include "platform/regular_file_read.h"
#include "settings/conversion_settings.h"

namespace {

struct Inputs {
    std::string picture;  // binary PPM, as convert leaves it for the worker
    std::string targa;    // the same picture as Targa, to compare the loaders
    std::string mark;     // PNG with transparency for the picture watermark
    std::string pac;      // an image pac for the built-in decoder
};

// A step takes the picture and returns the one to go on with, having unloaded
// the one it replaced, like every pipeline step.
using Step = std::function<BitmapHandle(BitmapHandle, const ConversionSettings&)>;
using Configure = std::function<void(ConversionSettings&)>;
using Load = std::function<FIBITMAP*()>;

FIBITMAP* g_source = nullptr;
// What a text watermark's placeholders stand for, and its font.
NamingFacts g_facts;
std::optional<WatermarkFont> g_font;
// The pac for the built-in decoder, as bytes and decoded.
std::vector<uint8_t> g_pacBytes;
PhotoCdDecode g_decoded;

int sourceWidth()
{
    return static_cast<int>(FreeImage_GetWidth(g_source));
}
int sourceHeight()
{
    return static_cast<int>(FreeImage_GetHeight(g_source));
}

void timeStep(benchmark::State& state, const Configure& configure, const Step& step)
{
    ConversionSettings settings;
    configure(settings);
    for (auto _ : state) {
        state.PauseTiming();
        BitmapHandle copy(FreeImage_Clone(g_source));
        state.ResumeTiming();
        BitmapHandle result = step(std::move(copy), settings);
        state.PauseTiming();
        if (!result)
            state.SkipWithError("the step made no picture");
        result.reset();
        state.ResumeTiming();
    }
}

void timeLoad(benchmark::State& state, const Load& load)
{
    for (auto _ : state) {
        FIBITMAP* loaded = load();
        state.PauseTiming();
        if (!loaded)
            state.SkipWithError("the picture did not load");
        else
            FreeImage_Unload(loaded);
        state.ResumeTiming();
    }
}

BitmapHandle encodeJpeg(BitmapHandle picture, const ConversionSettings& settings)
{
    const MemoryStreamHandle memory(FreeImage_OpenMemory());
    if (!FreeImage_SaveToMemory(FIF_JPEG, picture.get(), memory.get(), saveFlagsFor(settings, "jpg")))
        return nullptr;
    return picture;
}

void useJpegAt95With444(ConversionSettings& settings)
{
    settings.jpgQuality = 95;
    settings.jpgChroma = 0;
}

void rotateBy(ConversionSettings& settings, int type, int angle)
{
    settings.rotateEnabled = 1;
    settings.rotationType = static_cast<int8_t>(type);
    settings.rotationAngle = angle;
}

void halveWith(ConversionSettings& settings, int algorithm)
{
    settings.resizeEnabled = 1;
    settings.resizeWidth = 50;
    settings.resizeWidthUnit = 1;
    settings.resizeHeight = 50;
    settings.resizeHeightUnit = 1;
    settings.keepAspectRatio = 1;
    settings.resizeAlgorithm = static_cast<int8_t>(algorithm);
}

void fourBandFrame(ConversionSettings& settings)
{
    settings.frameType = kSolidFrame;
    settings.frameLeft = 40;
    settings.frameRight = 40;
    settings.frameTop = 60;
    settings.frameBottom = 60;
    settings.frameLeftColor = "C00000";
    settings.frameRightColor = "00A000";
    settings.frameTopColor = "0000C0";
    settings.frameBottomColor = "E0E0E0";
    settings.frameOpacity = 200;
}

void twoLineTextWatermark(ConversionSettings& settings)
{
    settings.watermarkType = kTextWatermark;
    settings.wmText = "Tessaly PCD to JPG%eol%%filename% %width%x%height%";
    settings.wmFontSize = 36;
    settings.wmTextAntialiasing = 1;
    settings.wmTextPadding = 8;
    settings.wmBackOpacity = 96;
}

void pictureWatermark(ConversionSettings& settings, const std::string& mark)
{
    settings.watermarkType = kPictureWatermark;
    settings.wmImage = mark;
    settings.wmImageOpacity = 180;
}

void registerSteps(const Inputs& inputs)
{
    auto step = [](const char* name, Configure configure, Step run) {
        benchmark::RegisterBenchmark(name,
                                     [configure, run](benchmark::State& state) { timeStep(state, configure, run); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    };
    auto load = [](const char* name, Load run) {
        benchmark::RegisterBenchmark(name, [run](benchmark::State& state) { timeLoad(state, run); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    };

    load("load/ppm", [path = inputs.picture] { return loadExtractedPicture(path); });
    // What the program used before it read convert's PPM itself.
    load("load/ppm_by_freeimage", [path = inputs.picture] { return FreeImage_Load(FIF_PPMRAW, path.c_str(), 0); });
    if (!inputs.targa.empty())
        load("load/targa", [path = inputs.targa] { return FreeImage_Load(FIF_TARGA, path.c_str(), 0); });

    step(
        "rotate/simple_90", [](ConversionSettings& s) { rotateBy(s, 0, 90); }, rotatePicture);
    step(
        "rotate/advanced_7", [](ConversionSettings& s) { rotateBy(s, 1, 7); }, rotatePicture);
    const Step resize = [](BitmapHandle p, const ConversionSettings& s) {
        return resizePicture(std::move(p), sourceWidth(), sourceHeight(), s);
    };
    step(
        "resize/bicubic_50", [](ConversionSettings& s) { halveWith(s, kBicubicFilter); }, resize);
    step(
        "resize/lanczos_50", [](ConversionSettings& s) { halveWith(s, kLanczosFilter); }, resize);
    step(
        "tone/adjust",
        [](ConversionSettings& settings) {
            settings.adjustEnabled = 1;
            settings.brightness = 10;
            settings.contrast = 10;
            settings.gamma = 1.2f;
        },
        adjustPicture);
    step(
        "tone/greyscale", [](ConversionSettings& s) { s.greyscale = 1; }, greyscalePicture);
    step(
        "tone/threshold",
        [](ConversionSettings& settings) {
            settings.thresholdEnabled = 1;
            settings.threshold = 128;
        },
        thresholdPicture);
    step(
        "tone/dither_fs",
        [](ConversionSettings& settings) {
            settings.ditherEnabled = 1;
            settings.ditherAlgorithm = kFloydSteinbergDither;
        },
        ditherPicture);
    step("overlay/frame_4_bands", fourBandFrame, [](BitmapHandle p, const ConversionSettings& s) {
        return applyFrame(std::move(p), sourceWidth(), sourceHeight(), s);
    });
    const Step watermark = [](BitmapHandle p, const ConversionSettings& s) {
        return applyWatermark(std::move(p), sourceWidth(), sourceHeight(), s, g_facts, g_font);
    };
    step("overlay/text_watermark", twoLineTextWatermark, watermark);
    if (!inputs.mark.empty())
        step(
            "overlay/picture_watermark", [mark = inputs.mark](ConversionSettings& s) { pictureWatermark(s, mark); },
            watermark);
    step("encode/jpeg_95_444", useJpegAt95With444, encodeJpeg);
}

// Times what the function does with the pac's bytes or with the planes it
// decodes to; a function that returns false fails the benchmark.
void timeDecoderPart(benchmark::State& state, const std::function<bool()>& part)
{
    for (auto _ : state) {
        if (!part()) {
            state.SkipWithError("the built-in decoder made no picture");
            break;
        }
    }
}

void registerDecoderSteps(const std::string& pac)
{
    auto part = [](const char* name, std::function<bool()> run) {
        benchmark::RegisterBenchmark(name, [run](benchmark::State& state) { timeDecoderPart(state, run); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    };
    // As the worker takes it: read, decoded, coloured and turned into a bitmap.
    part("builtin/whole", [pac] { return decodeWithBuiltInDecoder(pac).picture != nullptr; });
    part("builtin/read", [pac] { return readRegularFile(pac).has_value(); });
    const std::optional<std::string> file = readRegularFile(pac);
    if (file)
        g_pacBytes.assign(file->begin(), file->end());
    g_decoded = decodePhotoCd(g_pacBytes);
    part("builtin/resolutions", [] { return decodePhotoCd(g_pacBytes).picture.has_value(); });
    part("builtin/colour_and_turn", [] {
        if (!g_decoded.picture)
            return false;
        const bool swapped = swapsSides(g_decoded.turn);
        const int width = swapped ? g_decoded.picture->height() : g_decoded.picture->width();
        const int height = swapped ? g_decoded.picture->width() : g_decoded.picture->height();
        BitmapHandle bitmap(
            FreeImage_Allocate(width, height, 24, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK));
        writeUprightRgb(*g_decoded.picture, g_decoded.turn,
                        {FreeImage_GetScanLine(bitmap.get(), height - 1),
                         -static_cast<ptrdiff_t>(FreeImage_GetPitch(bitmap.get())), FI_RGBA_RED, FI_RGBA_GREEN,
                         FI_RGBA_BLUE});
        return true;
    });
}

bool takeValue(std::string_view argument, std::string_view name, std::string& value)
{
    if (argument.substr(0, name.size()) != name)
        return false;
    value = argument.substr(name.size());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    FreeImage_Initialise(FALSE);
    benchmark::Initialize(&argc, argv);
    Inputs inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!takeValue(argument, "--picture=", inputs.picture) && !takeValue(argument, "--targa=", inputs.targa) &&
            !takeValue(argument, "--mark=", inputs.mark) && !takeValue(argument, "--pac=", inputs.pac)) {
            std::fprintf(stderr, "unknown argument: %s\n", argv[i]);
            return 2;
        }
    }
    g_source = inputs.picture.empty() ? nullptr : loadExtractedPicture(inputs.picture);
    if (!g_source) {
        std::fprintf(stderr, "usage: %s --picture=FILE.ppm [--targa=FILE.tga] [--mark=FILE.png] [--pac=FILE.pcd]\n",
                     argv[0]);
        return 2;
    }
    // A watermark that does not load leaves the picture as it is and would
    // be timed as next to nothing.
    if (!inputs.mark.empty() && FreeImage_GetFileType(inputs.mark.c_str(), 0) != FIF_PNG) {
        std::fprintf(stderr, "not a PNG picture: %s\n", inputs.mark.c_str());
        return 2;
    }
    benchmark::AddCustomContext("picture", std::to_string(sourceWidth()) + "x" + std::to_string(sourceHeight()));
    benchmark::AddCustomContext("freeimage", FreeImage_GetVersion());

    // The text watermark needs the font a run would load for it; the
    // defaults name Arial, which fontconfig matches to a metric twin.
    const ConversionSettings defaults;
    g_facts.inputPath = inputs.picture;
    g_facts.outputExt = "jpg";
    g_facts.outputBpp = static_cast<int32_t>(FreeImage_GetBPP(g_source));
    g_font = loadWatermarkFont(defaults.wmFont, 36, 0, 0);
    if (!g_font) {
        std::fprintf(stderr, "no font for %s: a text watermark would draw nothing\n", defaults.wmFont.c_str());
        return 2;
    }

    registerSteps(inputs);
    if (!inputs.pac.empty())
        registerDecoderSteps(inputs.pac);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    FreeImage_Unload(g_source);
    FreeImage_DeInitialise();
    return 0;
}
