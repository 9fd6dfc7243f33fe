#include "OggWriter.h"

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int STREAM_SERIAL = 0x4B52564C;
constexpr int BLOCK_FRAMES = 4096;

bool writePage(FILE* out, const ogg_page& page)
{
    return fwrite(page.header, 1, static_cast<size_t>(page.header_len), out) ==
               static_cast<size_t>(page.header_len) &&
           fwrite(page.body, 1, static_cast<size_t>(page.body_len), out) == static_cast<size_t>(page.body_len);
}

} // namespace

bool writeOggVorbis(const std::string& path, const std::vector<std::vector<float>>& channels, int rate,
                    float quality)
{
    FILE* out = fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const int channelCount = static_cast<int>(channels.size());
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channelCount, rate, quality) != 0) {
        vorbis_info_clear(&info);
        fclose(out);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "ENCODER", "corvelle soundtool");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, STREAM_SERIAL);

    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    bool ok = true;
    while (ogg_stream_flush(&stream, &page) != 0)
        ok = ok && writePage(out, page);

    const size_t total = channels.empty() ? 0 : channels[0].size();
    size_t position = 0;
    bool ended = false;
    while (!ended) {
        size_t count = std::min<size_t>(BLOCK_FRAMES, total - position);
        if (count == 0) {
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (int c = 0; c < channelCount; ++c)
                std::copy_n(channels[c].begin() + static_cast<long>(position), count, buffer[c]);
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
            position += count;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    ok = ok && writePage(out, page);
                    if (ogg_page_eos(&page))
                        ended = true;
                }
            }
        }
        if (count == 0)
            ended = true;
    }
    while (ogg_stream_flush(&stream, &page) != 0)
        ok = ok && writePage(out, page);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return fclose(out) == 0 && ok;
}

float decodedPeak(const std::string& path)
{
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0)
        return -1.0f;
    const int channelCount = ov_info(&file, -1)->channels;
    float peak = 0.0f;
    for (;;) {
        float** samples = nullptr;
        int section = 0;
        long count = ov_read_float(&file, &samples, BLOCK_FRAMES, &section);
        if (count < 0) {
            peak = -1.0f;
            break;
        }
        if (count == 0)
            break;
        for (int c = 0; c < channelCount; ++c)
            for (long i = 0; i < count; ++i)
                peak = std::max(peak, std::fabs(samples[c][i]));
    }
    ov_clear(&file);
    return peak;
}
