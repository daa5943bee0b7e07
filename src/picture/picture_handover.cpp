#include "picture/picture_handover.h"

#include <FreeImage.h>

FIBITMAP* replacePicture(FIBITMAP* picture, FIBITMAP* made)
{
    if (made != picture)
        FreeImage_Unload(picture);
    return made;
}

FIBITMAP* convertTo24Bits(FIBITMAP* picture)
{
    return replacePicture(picture, FreeImage_ConvertTo24Bits(picture));
}

FIBITMAP* inTwentyFourBits(FIBITMAP* picture)
{
    if (!picture || (FreeImage_GetImageType(picture) == FIT_BITMAP && FreeImage_GetBPP(picture) == 24))
        return picture;
    return convertTo24Bits(picture);
}
