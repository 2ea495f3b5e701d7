// Bitmap, icon and cursor files.
#include "ImageFile.h"

namespace kvrc {

namespace {

std::uint32_t readLe(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
}

void putLe(std::vector<std::uint8_t>& out, std::uint32_t v, int size) {
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

constexpr std::size_t kFileHeaderSize = 14;  // BITMAPFILEHEADER
constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::size_t kIconDirSize = 6;      // ICONDIR
constexpr std::size_t kIconEntrySize = 16;   // ICONDIRENTRY in the file

}  // namespace

std::vector<std::uint8_t> bitmapResource(std::string_view file, const std::string& fileName,
                                         const Location& where) {
    if (file.size() < kFileHeaderSize + 12 || file[0] != 'B' || file[1] != 'M')
        throw RcError(where, "'" + fileName + "' is not a bitmap file");
    const std::uint32_t headerSize = readLe(file, kFileHeaderSize, 4);
    if (headerSize < 12 || kFileHeaderSize + headerSize > file.size())
        throw RcError(where, "'" + fileName + "' is not a bitmap file");
    return std::vector<std::uint8_t>(file.begin() + kFileHeaderSize, file.end());
}

std::vector<Resource> iconResources(std::string_view file, bool cursor, const ResourceId& name,
                                    std::uint16_t language, std::uint16_t& nextImageId,
                                    const std::string& fileName, const Location& where) {
    const std::string kind = cursor ? "cursor" : "icon";
    auto bad = [&](const std::string& why) {
        return RcError(where, "'" + fileName + "' is not a valid " + kind + " file: " + why);
    };
    if (file.size() < kIconDirSize)
        throw bad("too short");
    if (readLe(file, 0, 2) != 0 || readLe(file, 2, 2) != (cursor ? 2u : 1u))
        throw bad("wrong header");
    const std::uint32_t count = readLe(file, 4, 2);
    if (count == 0)
        throw bad("no images");
    if (kIconDirSize + count * kIconEntrySize > file.size())
        throw bad("truncated directory");

    std::vector<Resource> out;
    std::vector<std::uint8_t> group;
    putLe(group, 0, 2);
    putLe(group, cursor ? 2 : 1, 2);
    putLe(group, count, 2);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t e = kIconDirSize + i * kIconEntrySize;
        const std::uint32_t width = static_cast<unsigned char>(file[e]);
        const std::uint32_t height = static_cast<unsigned char>(file[e + 1]);
        const std::uint32_t size = readLe(file, e + 8, 4);
        const std::uint32_t offset = readLe(file, e + 12, 4);
        if (size == 0 || offset > file.size() || size > file.size() - offset)
            throw bad("image " + std::to_string(i + 1) + " lies outside the file");
        if (nextImageId == 0xFFFF)
            throw RcError(where, "too many icon and cursor images");
        const std::uint16_t imageId = nextImageId++;
        std::string_view image = file.substr(offset, size);

        Resource r;
        r.type = ResourceId::fromOrdinal(cursor ? ResourceType::Cursor : ResourceType::Icon);
        r.name = ResourceId::fromOrdinal(imageId);
        r.language = language;
        r.where = where;
        // Planes and bit count: an icon's directory has them; a cursor's directory holds the
        // hot spot there, so they come from the image's BITMAPINFOHEADER.
        std::uint32_t planes = readLe(file, e + 4, 2);
        std::uint32_t bitCount = readLe(file, e + 6, 2);
        if (cursor) {
            putLe(r.data, planes, 2);    // hot spot x
            putLe(r.data, bitCount, 2);  // hot spot y
            planes = 1;
            bitCount = 0;
            if (image.size() >= kInfoHeaderSize && readLe(image, 0, 4) == kInfoHeaderSize) {
                planes = readLe(image, 12, 2);
                bitCount = readLe(image, 14, 2);
            }
        }
        r.data.insert(r.data.end(), image.begin(), image.end());

        if (cursor) {
            // CURSORDIR: width and height in pixels; a DIB cursor's height counts both masks.
            putLe(group, width ? width : 256, 2);
            putLe(group, (height ? height : 256) * 2, 2);
        } else {
            group.push_back(static_cast<std::uint8_t>(width));
            group.push_back(static_cast<std::uint8_t>(height));
            group.push_back(static_cast<std::uint8_t>(file[e + 2]));  // colour count
            group.push_back(0);
        }
        putLe(group, planes, 2);
        putLe(group, bitCount, 2);
        putLe(group, static_cast<std::uint32_t>(r.data.size()), 4);
        putLe(group, imageId, 2);
        out.push_back(std::move(r));
    }
    Resource g;
    g.type = ResourceId::fromOrdinal(cursor ? ResourceType::GroupCursor : ResourceType::GroupIcon);
    g.name = name;
    g.language = language;
    g.where = where;
    g.data = std::move(group);
    out.push_back(std::move(g));
    return out;
}

}  // namespace kvrc
