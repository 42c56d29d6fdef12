#pragma once

#include <cstddef>

// The program's resources (bitmaps, the login screen's PNG, the icon images), compiled into the
// binary from res/resources.txt and looked up by id, the way the Windows build finds them in its
// resource section.
namespace res {

enum class ResourceType { Bitmap, Png, Icon };

struct Embedded {
    int id;
    ResourceType type;
    int iconSize;      // edge in pixels of an Icon image; 0 for the other types
    const char* name;  // file the data came from, relative to res/ (for messages)
    const unsigned char* data;
    std::size_t size;
};

// The resource of this id and type, or null. A Bitmap is a whole .bmp file (BITMAPFILEHEADER
// first), a Png a whole PNG file. For an Icon it is the largest image of the icon.
const Embedded* FindEmbedded(int id, ResourceType type);

// The image of icon `id` whose edge is `pixels`, or null when the icon has no such size.
const Embedded* FindIcon(int id, int pixels);

// Every resource, in manifest order.
const Embedded* EmbeddedBegin();
const Embedded* EmbeddedEnd();

}  // namespace res
