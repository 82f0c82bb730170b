#pragma once
// The bounds a picture file must keep before it is decoded, worked out from its bytes and its
// declared size alone: plain arithmetic, no decoder involved.
//
// A progressive JPEG is decoded scan by scan, each scan a pass over the whole picture, so a small
// file of thousands of empty scans keeps the decoder busy for many seconds. Its decoder also holds
// every coefficient of the picture (two bytes a sample) besides the picture itself.

#include <cstddef>
#include <cstdint>

namespace picturebounds {

/// Largest picture file read at all.
inline constexpr std::int64_t kMaxFileBytes = 32ll << 20;
/// Largest width or height; the book's largest pictures are about 2100 pixels high.
inline constexpr int kMaxSide = 8192;
/// Largest memory a decode may take: the picture itself and what its decoder holds.
inline constexpr std::int64_t kMaxDecodeBytes = 256ll << 20;
/// Most scans a JPEG may have; a progressive encoder writes about ten.
inline constexpr int kMaxJpegScans = 100;

struct JpegShape {
    bool jpeg = false;        // starts with a JPEG's start-of-image marker
    bool progressive = false; // a progressive (or otherwise multi-scan) frame
    int scans = 0;            // start-of-scan markers, counted up to kMaxJpegScans + 1
};

/// Walks the JPEG's markers (and over each scan's entropy-coded data) without decoding anything.
JpegShape jpegShape(const unsigned char *data, std::size_t size);

/// The memory a decode of a picture of this size takes, the decoder's own included.
std::int64_t decodeBytes(int width, int height, bool progressiveJpeg);

/// Whether a picture of this declared size may be decoded.
bool sizeAllowed(int width, int height, bool progressiveJpeg);

} // namespace picturebounds
