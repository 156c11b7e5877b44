// An animated WebP made with libwebp's animation encoder (WebPAnimEncoder):
// frames of the reference map view's pictures, lossy, played in a loop.
#ifndef TOOLS_ADVICEPATH_REPLAY_WEBPANIMATION_H
#define TOOLS_ADVICEPATH_REPLAY_WEBPANIMATION_H

#include "MapView/RasterMapView.h"

#include <cstdint>
#include <string>
#include <vector>

struct WebPAnimEncoder;

namespace tools
{

class WebpAnimation
{
public:
    // An animation of `width` x `height` pixels (the pictures' device size)
    // whose frames are encoded at `quality` (0 ... 100, libwebp's lossy
    // scale).
    WebpAnimation(int width, int height, float quality);
    ~WebpAnimation();
    WebpAnimation(const WebpAnimation&) = delete;
    WebpAnimation& operator=(const WebpAnimation&) = delete;

    // Adds `image` (which must have the animation's size), shown from
    // `timestampMs` until the next frame's. False with `error` on failure.
    bool Add(const refhost::RasterImage& image, int timestampMs, std::string& error);
    // The whole file, the last frame shown until `endMs`. False with
    // `error` on failure; the encoder is spent either way.
    bool Finish(int endMs, std::vector<uint8_t>& bytes, std::string& error);

private:
    WebPAnimEncoder* m_encoder = nullptr;
    int m_width;
    int m_height;
    float m_quality;
    std::vector<uint8_t> m_rgb; // scratch: one frame as 8-bit R, G, B
};

} // namespace tools

#endif
