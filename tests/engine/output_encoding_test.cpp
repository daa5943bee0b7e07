#include <FreeImage.h>

#include <gtest/gtest.h>

#include "engine/job_state.h"
#include "engine/output_encoding.h"
#include "engine/synthetic_picture.h"
#include "settings/conversion_settings.h"

namespace {

class OutputEncoding : public testing::Test {
protected:
    // Runs the job's encoding choice for extension, then the depth
    // conversion of a picture first loaded with sourceBpp bits.
    Picture convert(const std::string& extension, int sourceBpp, Picture picture)
    {
        job.outputExt = extension;
        chooseOutputEncoding(settings, job);
        fileBpp = outputBppFor(job, sourceBpp);
        return convertToOutputBpp(std::move(picture), fileBpp, extension);
    }

    ConversionSettings settings;
    JobState job;
    int fileBpp = 0;  // the depth chosen for the file
};

}  // namespace

TEST_F(OutputEncoding, JpegFlagsCombineQualityChromaAndMode)
{
    EXPECT_EQ(saveFlagsFor(settings, "jpg"), 95 | JPEG_SUBSAMPLING_444);
    settings.jpgChroma = 2;  // MEDIUM
    settings.jpgSaveAs = 3;  // PROGRESSIVE
    EXPECT_EQ(saveFlagsFor(settings, "jpg"), 0x605F);
    settings.jpgQuality = 40;
    settings.jpgChroma = 1;  // LOW
    settings.jpgSaveAs = 1;  // SIMPLE
    EXPECT_EQ(saveFlagsFor(settings, "jpg"), 40 | JPEG_SUBSAMPLING_422 | JPEG_BASELINE);
    settings.jpgChroma = 3;  // HIGH
    settings.jpgSaveAs = 2;  // OPTIMIZED
    EXPECT_EQ(saveFlagsFor(settings, "jpg"), 40 | JPEG_SUBSAMPLING_411 | JPEG_OPTIMIZE);
}

TEST_F(OutputEncoding, OtherFormatsTakeTheirFlagsFromTheirSettings)
{
    settings.pngCompression = 3;  // ZLIB9
    settings.pngInterlaced = 1;
    EXPECT_EQ(saveFlagsFor(settings, "png"), 0x209);
    settings.pngCompression = 0;
    settings.pngInterlaced = 0;
    EXPECT_EQ(saveFlagsFor(settings, "png"), PNG_Z_NO_COMPRESSION);

    settings.webpQuality = 99;
    EXPECT_EQ(saveFlagsFor(settings, "webp"), 99);
    settings.webpQuality = 100;
    EXPECT_EQ(saveFlagsFor(settings, "webp"), WEBP_LOSSLESS);

    settings.tiffCompression = 6;  // LZW
    settings.tiffColorMode = 1;    // CMYK
    EXPECT_EQ(saveFlagsFor(settings, "tiff"), TIFF_LZW | TIFF_CMYK);
    settings.tiffCompression = 8;  // LOGLUV
    settings.tiffColorMode = 2;    // LAB adds nothing
    EXPECT_EQ(saveFlagsFor(settings, "tiff"), TIFF_LOGLUV);
    settings.tiffCompression = 0;
    EXPECT_EQ(saveFlagsFor(settings, "tiff"), TIFF_NONE);

    settings.exrCompression = 0;
    EXPECT_EQ(saveFlagsFor(settings, "exr"), EXR_NONE);
    settings.exrCompression = 4;  // B44
    EXPECT_EQ(saveFlagsFor(settings, "exr"), EXR_B44);
    settings.exrCompression = 5;
    EXPECT_EQ(saveFlagsFor(settings, "exr"), 0);

    settings.bmpCompression = 1;  // RLE
    settings.tgaCompression = 1;
    EXPECT_EQ(saveFlagsFor(settings, "bmp"), BMP_SAVE_RLE);
    EXPECT_EQ(saveFlagsFor(settings, "tga"), TARGA_SAVE_RLE);
    EXPECT_EQ(saveFlagsFor(settings, "jxr"), JXR_LOSSLESS);
    for (const char* plain : {"dds", "gif", "hdr", "ico", "j2k", "jng", "jp2", "pbm", "pcx", "pfm", "pgm", "ppm", "psd",
                              "wbmp", "xpm", "txt", ""})
        EXPECT_EQ(saveFlagsFor(settings, plain), 0) << plain;
}

TEST_F(OutputEncoding, NearestAllowedDepthIsTheNextOneUpOrTheLargest)
{
    EXPECT_EQ(nearestAllowedBpp("jpg", 24), 24);
    EXPECT_EQ(nearestAllowedBpp("jpg", 32), 24);
    EXPECT_EQ(nearestAllowedBpp("jpg", 8), 8);
    EXPECT_EQ(nearestAllowedBpp("jpg", 1), 8);
    EXPECT_EQ(nearestAllowedBpp("jpg", 16), 24);
    EXPECT_EQ(nearestAllowedBpp("png", 2), 4);
    EXPECT_EQ(nearestAllowedBpp("png", 64), 48);
    EXPECT_EQ(nearestAllowedBpp("tiff", 0), 1);
    EXPECT_EQ(nearestAllowedBpp("exr", 24), 96);
    EXPECT_EQ(nearestAllowedBpp("psd", 24), 0);
}

TEST_F(OutputEncoding, ChoosingFollowsTheFormatsDepthSetting)
{
    job.outputExt = "jpg";
    chooseOutputEncoding(settings, job);
    EXPECT_EQ(job.outputBpp, 0);
    EXPECT_EQ(job.autoBpp, 1);
    EXPECT_EQ(job.saveFlags, 95 | JPEG_SUBSAMPLING_444);

    settings.tgaBpp = 16;
    settings.tgaCompression = 1;
    job.outputExt = "tga";
    chooseOutputEncoding(settings, job);
    EXPECT_EQ(job.outputBpp, 16);
    EXPECT_EQ(job.autoBpp, 0);
    EXPECT_EQ(job.saveFlags, TARGA_SAVE_RLE);
}

TEST_F(OutputEncoding, JpegWithAutomaticDepth)
{
    Picture kept = makePicture(4, 4, 24, {10, 200, 30});
    FIBITMAP* original = kept.get();
    Picture same = convert("jpg", 24, std::move(kept));
    EXPECT_EQ(same.get(), original);
    EXPECT_EQ(fileBpp, 24);

    Picture fromAlpha = convert("jpg", 32, makePicture(4, 4, 32, {10, 200, 30}));
    ASSERT_TRUE(fromAlpha);
    EXPECT_EQ(FreeImage_GetBPP(fromAlpha.get()), 24u);
    EXPECT_EQ(colourAt(fromAlpha.get(), 1, 1), (Rgb{10, 200, 30}));

    // Loaded grey, coloured by a later step: saved as an 8-bit grey picture.
    Picture grey = convert("jpg", 8, makePicture(4, 4, 24, {200, 100, 50}));
    ASSERT_TRUE(grey);
    EXPECT_EQ(FreeImage_GetBPP(grey.get()), 8u);
    EXPECT_EQ(FreeImage_GetColorType(grey.get()), FIC_MINISBLACK);
    EXPECT_EQ(fileBpp, 8);
    EXPECT_EQ(job.outputBpp, 0);  // the job's depth stays automatic for the next file
}

TEST_F(OutputEncoding, AskedForDepthIsKeptWhateverWasLoaded)
{
    settings.jpgBpp = 8;
    Picture grey = convert("jpg", 24, makePicture(4, 4, 24, {200, 100, 50}));
    ASSERT_TRUE(grey);
    EXPECT_EQ(FreeImage_GetBPP(grey.get()), 8u);
    EXPECT_EQ(FreeImage_GetColorType(grey.get()), FIC_MINISBLACK);
    EXPECT_EQ(fileBpp, 8);
}

TEST_F(OutputEncoding, SixteenBitLayoutDependsOnTheFormat)
{
    settings.tgaBpp = 16;
    Picture targa = convert("tga", 24, makePicture(4, 4, 24, {255, 255, 255}));
    ASSERT_TRUE(targa);
    EXPECT_EQ(FreeImage_GetBPP(targa.get()), 16u);
    EXPECT_EQ(FreeImage_GetGreenMask(targa.get()), static_cast<unsigned>(FI16_555_GREEN_MASK));

    settings.bmpBpp = 16;
    Picture bitmap = convert("bmp", 24, makePicture(4, 4, 24, {255, 255, 255}));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(FreeImage_GetGreenMask(bitmap.get()), static_cast<unsigned>(FI16_565_GREEN_MASK));

    // 48-bit pictures pass through 24 bits first.
    settings.icoBpp = 16;
    Picture icon = convert("ico", 48, Picture(FreeImage_ConvertToRGB16(makePicture(4, 4, 24, {255, 0, 0}).get())));
    ASSERT_TRUE(icon);
    EXPECT_EQ(FreeImage_GetBPP(icon.get()), 16u);
    EXPECT_EQ(FreeImage_GetGreenMask(icon.get()), static_cast<unsigned>(FI16_555_GREEN_MASK));
}

TEST_F(OutputEncoding, EightBitsForPaletteFormatsQuantizeInColour)
{
    settings.pngBpp = 8;
    Picture png = convert("png", 32, makePicture(4, 4, 32, {200, 100, 50}));
    ASSERT_TRUE(png);
    EXPECT_EQ(FreeImage_GetBPP(png.get()), 8u);
    EXPECT_EQ(FreeImage_GetColorType(png.get()), FIC_PALETTE);
    EXPECT_EQ(colourAt(png.get(), 2, 2), (Rgb{200, 100, 50}));

    Picture gif = convert("gif", 24, makePicture(4, 4, 24, {20, 240, 90}));
    ASSERT_TRUE(gif);
    EXPECT_EQ(FreeImage_GetBPP(gif.get()), 8u);
    EXPECT_EQ(colourAt(gif.get(), 0, 3), (Rgb{20, 240, 90}));
}

TEST_F(OutputEncoding, EveryOtherDepthHasItsConversion)
{
    settings.tiffBpp = 96;
    Picture floating = convert("tiff", 24, makePicture(4, 4, 24, {0, 0, 0}));
    ASSERT_TRUE(floating);
    EXPECT_EQ(FreeImage_GetImageType(floating.get()), FIT_RGBF);

    settings.tiffBpp = 48;
    Picture deep = convert("tiff", 24, makePicture(4, 4, 24, {0, 0, 0}));
    ASSERT_TRUE(deep);
    EXPECT_EQ(FreeImage_GetImageType(deep.get()), FIT_RGB16);

    settings.tiffBpp = 32;
    EXPECT_EQ(FreeImage_GetBPP(convert("tiff", 24, makePicture(4, 4, 24, {0, 0, 0})).get()), 32u);
    settings.tiffBpp = 4;
    EXPECT_EQ(FreeImage_GetBPP(convert("tiff", 24, makePicture(4, 4, 24, {0, 0, 0})).get()), 4u);
    settings.tiffBpp = 1;
    EXPECT_EQ(FreeImage_GetBPP(convert("tiff", 24, makePicture(4, 4, 24, {255, 255, 255})).get()), 1u);
}

TEST_F(OutputEncoding, NoPictureForADepthWithoutConversion)
{
    // "psd" has no allowed depths, so the automatic depth is 0.
    EXPECT_FALSE(convert("psd", 24, makePicture(4, 4, 24, {0, 0, 0})));
    settings.tgaBpp = 12;
    EXPECT_FALSE(convert("tga", 24, makePicture(4, 4, 24, {0, 0, 0})));
    EXPECT_EQ(convertToOutputBpp(nullptr, 24, "jpg"), nullptr);
}
