#include "overlay/watermark_font.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <vector>

#include "settings/vocabularies.h"

namespace {

constexpr int kScreenDotsPerInch = 96;
constexpr int kPointsPerInch = 72;

// The families fontconfig's rules bind as strongly as the requested one: the
// name itself followed by its metric-compatible stand-ins. Everything after
// them (weak bindings) is a general fallback such as the default sans font.
std::vector<std::string> acceptableFamilies(FcPattern* substituted)
{
    std::vector<std::string> families;
    FcValue value;
    FcValueBinding binding;
    for (int i = 0; FcPatternGetWithBinding(substituted, FC_FAMILY, i, &value, &binding) == FcResultMatch; ++i) {
        if (binding != FcValueBindingStrong)
            break;
        if (value.type == FcTypeString)
            families.emplace_back(reinterpret_cast<const char*>(value.u.s));
    }
    return families;
}

// The family of the matched font that is one of the acceptable ones, if any.
std::optional<std::string> acceptedFamilyOf(FcPattern* match, const std::vector<std::string>& acceptable)
{
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
        for (const std::string& wanted : acceptable) {
            if (FcStrCmpIgnoreCase(family, reinterpret_cast<const FcChar8*>(wanted.c_str())) == 0)
                return std::string(reinterpret_cast<const char*>(family));
        }
    }
    return std::nullopt;
}

std::optional<std::string> matchFamily(const std::string& name, bool bold, bool italic)
{
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return std::nullopt;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    std::optional<std::string> accepted;
    if (FcConfigSubstitute(nullptr, pattern, FcMatchPattern)) {
        FcDefaultSubstitute(pattern);
        const std::vector<std::string> acceptable = acceptableFamilies(pattern);
        FcResult result = FcResultNoMatch;
        if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
            accepted = acceptedFamilyOf(match, acceptable);
            FcPatternDestroy(match);
        }
    }
    FcPatternDestroy(pattern);
    return accepted;
}

}  // namespace

std::optional<WatermarkFont> loadWatermarkFont(const std::string& name, int sizePoints, int style, int effect)
{
    if (name.empty())
        return std::nullopt;
    const bool bold = style == kBoldFont || style == kBoldItalicFont;
    const bool italic = style == kItalicFont || style == kBoldItalicFont;
    std::optional<std::string> family = matchFamily(name, bold, italic);
    if (!family)
        return std::nullopt;
    WatermarkFont font;
    font.family = *family;
    const int64_t pixels = int64_t{sizePoints} * kScreenDotsPerInch / kPointsPerInch;
    font.pixelSize = static_cast<int>(std::clamp<int64_t>(pixels, INT_MIN, INT_MAX));
    font.bold = bold;
    font.italic = italic;
    font.underline = effect == kUnderlinedFont;
    font.strikeout = effect == kStruckOutFont;
    return font;
}
