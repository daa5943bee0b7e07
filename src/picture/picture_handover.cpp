#include "picture/picture_handover.h"

#include <FreeImage.h>

BitmapHandle replacePicture(BitmapHandle&& picture, FIBITMAP* made)
{
    if (made == picture.get())
        return std::move(picture);
    picture.reset();
    return BitmapHandle(made);
}

BitmapHandle convertTo24Bits(BitmapHandle&& picture)
{
    return replacePicture(std::move(picture), FreeImage_ConvertTo24Bits(picture.get()));
}

BitmapHandle inTwentyFourBits(BitmapHandle&& picture)
{
    if (!picture || (FreeImage_GetImageType(picture.get()) == FIT_BITMAP && FreeImage_GetBPP(picture.get()) == 24))
        return std::move(picture);
    return convertTo24Bits(std::move(picture));
}
