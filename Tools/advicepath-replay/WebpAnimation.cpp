#include "WebpAnimation.h"

#include <webp/encode.h>
#include <webp/mux.h>

namespace tools
{

namespace
{

std::string EncoderError(WebPAnimEncoder* encoder, const char* what)
{
    const char* reason = encoder != nullptr ? WebPAnimEncoderGetError(encoder) : nullptr;
    return std::string(what) +
           (reason != nullptr && *reason != '\0' ? std::string(": ") + reason : std::string());
}

} // namespace

WebpAnimation::WebpAnimation(int width, int height, float quality)
    : m_width(width), m_height(height), m_quality(quality)
{
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options))
        return;
    options.anim_params.loop_count = 0; // for ever
    options.anim_params.bgcolor = 0xFFFFFFFFu;
    // A key frame at least every 20 frames keeps seeking cheap for players.
    options.kmin = 11;
    options.kmax = 20;
    m_encoder = WebPAnimEncoderNew(width, height, &options);
}

WebpAnimation::~WebpAnimation()
{
    WebPAnimEncoderDelete(m_encoder);
}

bool WebpAnimation::Add(const refhost::RasterImage& image, int timestampMs, std::string& error)
{
    if (m_encoder == nullptr)
    {
        error = "cannot start the WebP animation encoder (out of memory or a libwebp mismatch)";
        return false;
    }
    if (image.Width() != m_width || image.Height() != m_height)
    {
        error = "a frame of another size than the animation";
        return false;
    }
    m_rgb.resize(static_cast<size_t>(m_width) * static_cast<size_t>(m_height) * 3);
    size_t at = 0;
    for (int y = 0; y < m_height; ++y)
    {
        for (int x = 0; x < m_width; ++x)
        {
            const uint32_t bgr = image.ColourAt(x, y);
            m_rgb[at++] = static_cast<uint8_t>(bgr & 0xFFu);
            m_rgb[at++] = static_cast<uint8_t>((bgr >> 8) & 0xFFu);
            m_rgb[at++] = static_cast<uint8_t>((bgr >> 16) & 0xFFu);
        }
    }
    WebPConfig config;
    WebPPicture picture;
    if (!WebPConfigInit(&config) || !WebPPictureInit(&picture))
    {
        error = "libwebp version mismatch";
        return false;
    }
    config.quality = m_quality;
    config.method = 2; // fast: a frame is a flat background with a few lines
    picture.use_argb = 1;
    picture.width = m_width;
    picture.height = m_height;
    bool ok = WebPPictureImportRGB(&picture, m_rgb.data(), m_width * 3) != 0;
    ok = ok && WebPAnimEncoderAdd(m_encoder, &picture, timestampMs, &config) != 0;
    WebPPictureFree(&picture);
    if (!ok)
        error = EncoderError(m_encoder, "cannot encode a frame");
    return ok;
}

bool WebpAnimation::Finish(int endMs, std::vector<uint8_t>& bytes, std::string& error)
{
    if (m_encoder == nullptr)
    {
        error = "cannot start the WebP animation encoder (out of memory or a libwebp mismatch)";
        return false;
    }
    WebPData data;
    WebPDataInit(&data);
    const bool ok = WebPAnimEncoderAdd(m_encoder, nullptr, endMs, nullptr) != 0 &&
                    WebPAnimEncoderAssemble(m_encoder, &data) != 0;
    if (ok)
        bytes.assign(data.bytes, data.bytes + data.size);
    else
        error = EncoderError(m_encoder, "cannot assemble the animation");
    WebPDataClear(&data);
    WebPAnimEncoderDelete(m_encoder);
    m_encoder = nullptr;
    return ok;
}

} // namespace tools
