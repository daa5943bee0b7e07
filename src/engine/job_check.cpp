#include "engine/job_check.h"

#include "overlay/watermark_font.h"
#include "platform/files.h"
#include "settings/vocabularies.h"

std::optional<JobProblem> checkResizeSettings(const ConversionSettings& settings)
{
    if (!settings.resizeEnabled)
        return std::nullopt;
    if (settings.resizeWidth == 0)
        return JobProblem{"Invalid width", ""};
    if (settings.resizeHeight == 0)
        return JobProblem{"Invalid height", ""};
    return std::nullopt;
}

std::optional<JobProblem> checkWatermarkSettings(const ConversionSettings& settings)
{
    if (settings.watermarkType == kTextWatermark) {
        if (!loadWatermarkFont(settings.wmFont, settings.wmFontSize, settings.wmFontStyle, settings.wmFontEffect))
            return JobProblem{"Invalid watermark font", settings.wmFont};
    } else if (settings.watermarkType == kPictureWatermark) {
        if (settings.wmImage.empty())
            return JobProblem{"Empty watermark image", ""};
        std::optional<int64_t> size = regularFileSize(settings.wmImage);
        if (!size || *size <= 0)
            return JobProblem{"Invalid watermark image", settings.wmImage};
    }
    return std::nullopt;
}
