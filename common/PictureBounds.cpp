#include "common/PictureBounds.h"

namespace picturebounds {

JpegShape jpegShape(const unsigned char *data, std::size_t size)
{
    JpegShape shape;
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return shape;
    shape.jpeg = true;
    std::size_t i = 2;
    while (i + 1 < size) {
        if (data[i] != 0xFF) {
            ++i; // stray bytes between segments: the decoder skips them too
            continue;
        }
        std::uint8_t marker = data[i + 1];
        if (marker == 0xFF) { // fill byte
            ++i;
            continue;
        }
        i += 2;
        if (marker == 0xD9) // end of image
            break;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) // no length of their own
            continue;
        if (i + 1 >= size)
            break;
        const std::size_t length = std::size_t(data[i]) << 8 | data[i + 1];
        if (marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE)
            shape.progressive = true;
        i += length;
        if (marker == 0xDA) {
            if (++shape.scans > kMaxJpegScans)
                break;
            // The scan's entropy-coded data runs to the next marker other than a stuffed zero or
            // a restart marker.
            while (i + 1 < size) {
                if (data[i] == 0xFF && data[i + 1] != 0x00 && !(data[i + 1] >= 0xD0 && data[i + 1] <= 0xD7))
                    break;
                ++i;
            }
        }
    }
    // More than one scan is progressive in effect, whatever the frame says.
    if (shape.scans > 1)
        shape.progressive = true;
    return shape;
}

std::int64_t decodeBytes(int width, int height, bool progressiveJpeg)
{
    const std::int64_t pixels = std::int64_t(width) * std::int64_t(height);
    // Four bytes a pixel of the picture; a progressive decoder's coefficients: three samples of
    // two bytes each.
    return pixels * 4 + (progressiveJpeg ? pixels * 6 : 0);
}

bool sizeAllowed(int width, int height, bool progressiveJpeg)
{
    if (width <= 0 || height <= 0)
        return true; // not declared: the decoder's allocation limit still holds
    if (width > kMaxSide || height > kMaxSide)
        return false;
    return decodeBytes(width, height, progressiveJpeg) <= kMaxDecodeBytes;
}

} // namespace picturebounds
