// Bitmap, icon and cursor files turned into the resources Windows keeps for them:
// RT_BITMAP is the .bmp without its 14-byte BITMAPFILEHEADER; an .ico becomes one RT_ICON per
// image plus an RT_GROUP_ICON directory (GRPICONDIR, 14-byte entries naming the images by
// ordinal); a .cur likewise becomes RT_CURSOR images (each prefixed with its hot spot) and an
// RT_GROUP_CURSOR directory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Script.h"

namespace kvrc {

// The RT_BITMAP bytes of a .bmp file; RcError at `where` when it is not one.
std::vector<std::uint8_t> bitmapResource(std::string_view file, const std::string& fileName,
                                         const Location& where);

// The image resources and the group resource (last) of an .ico or .cur file. Image ordinals
// are taken from nextImageId, which advances by the number of images.
std::vector<Resource> iconResources(std::string_view file, bool cursor, const ResourceId& name,
                                    std::uint16_t language, std::uint16_t& nextImageId,
                                    const std::string& fileName, const Location& where);

}  // namespace kvrc
