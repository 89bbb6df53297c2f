// anim_export.cpp: the four animation writers; see anim_export.h.
//
// [SECTION] shared: reasons, the encoder record
// [SECTION] MP4 and WebM through the codec libraries
// [SECTION] GIF: one palette, nearest colours, giflib
// [SECTION] PNG frames into a folder
// [SECTION] the writer
#include "render/anim_export.h"

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <string>
#include <vector>

#include <gif_lib.h>
#include <png.h>
#include <zlib.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

const char* const ANIM_EXTENSIONS[ANIM_FORMAT_COUNT] = {".mp4", ".webm", ".gif", ""};

//// [SECTION] shared: reasons, the encoder record

struct VideoState {
    AVFormatContext* format;
    AVCodecContext* codec;
    AVStream* stream;
    AVFrame* frame;
    AVPacket* packet;
    SwsContext* convert;
    std::vector<uint8_t> rgb;  // the frame top row first, at the encoded size
    int encoded_width, encoded_height;
    int header_written;
};

struct GifState {
    GifFileType* gif;
    uint8_t reserved[ANIM_MAX_RESERVED][3];
    int reserved_count;
    uint8_t palette[256][3];
    std::vector<uint8_t> nearest;  // palette index by 24-bit colour, valid where known is set
    std::vector<uint8_t> known;    // one bit per 24-bit colour
    std::vector<GifByteType> line;
    int delay_cs;                  // hundredths of a second a frame
    uint32_t last_key = 1u << 24;  // the colour looked up last (none yet) and its index
    uint8_t last_index = 0;
};

struct PngState {
    char target[SAFE_PATH_SIZE];
    char temp[SAFE_PATH_SIZE + 8];
    std::vector<png_bytep> rows;
    int error;  // errno of the write that failed
};

struct AnimEncoder {
    SafeFile file;  // MP4, WebM and GIF
    VideoState video;
    GifState gif;
    PngState png;
};

static int fail(AnimWriter* writer, const char* reason)
{
    snprintf(writer->reason, sizeof writer->reason, "%s", reason);
    return 0;
}

static int fail_errno(AnimWriter* writer, int error)
{
    return fail(writer, strerror(error ? error : EIO));
}

// A codec library's error; a write that failed underneath says its own reason.
static int fail_av(AnimWriter* writer, int code)
{
    if (writer->encoder->file.failed)
        return fail_errno(writer, writer->encoder->file.error);
    char text[AV_ERROR_MAX_STRING_SIZE];
    av_strerror(code, text, sizeof text);
    return fail(writer, text);
}

void anim_encoded_size(AnimFormat format, int width, int height, int* out_width, int* out_height)
{
    const int even = format == ANIM_MP4;
    *out_width = even ? (width + 1) & ~1 : width;
    *out_height = even ? (height + 1) & ~1 : height;
}

// The frame's rows top first into rgb (out_width x out_height), the last row and column
// repeated where out is larger.
static void copy_top_down(const RgbImage* frame, uint8_t* rgb, int out_width, int out_height)
{
    const size_t row = (size_t)frame->width * 3, out_row = (size_t)out_width * 3;
    for (int y = 0; y < out_height; y++) {
        const int source = frame->height - 1 - std::min(y, frame->height - 1);
        uint8_t* out = rgb + (size_t)y * out_row;
        memcpy(out, frame->pixels + (size_t)source * row, row);
        for (int x = frame->width; x < out_width; x++)
            memcpy(out + (size_t)x * 3, out + row - 3, 3);
    }
}

//// [SECTION] MP4 and WebM through the codec libraries

static int write_packet(void* opaque, uint8_t* bytes, int size)
{
    SafeFile* file = (SafeFile*)opaque;
    safe_file_write(file, bytes, (size_t)size);
    return file->failed ? AVERROR(file->error ? file->error : EIO) : size;
}

static int64_t seek_file(void* opaque, int64_t offset, int whence)
{
    SafeFile* file = (SafeFile*)opaque;
    if (whence & AVSEEK_SIZE)
        return -1;
    if (fflush(file->stream) != 0 || fseeko(file->stream, (off_t)offset, whence & ~AVSEEK_FORCE) != 0)
        return AVERROR(errno);
    return (int64_t)ftello(file->stream);
}

static void close_video(VideoState* video)
{
    if (video->format) {
        if (video->format->pb) {
            av_freep(&video->format->pb->buffer);
            avio_context_free(&video->format->pb);
        }
        avformat_free_context(video->format);
    }
    avcodec_free_context(&video->codec);
    av_frame_free(&video->frame);
    av_packet_free(&video->packet);
    sws_freeContext(video->convert);
    video->format = nullptr;
    video->convert = nullptr;
}

// Encoder settings that keep a 1024 x 749 export at the capture's pace on two cores.
static void set_codec_options(AnimFormat format, AVCodecContext* codec, AVDictionary** options)
{
    if (format == ANIM_MP4) {
        av_dict_set(options, "preset", "superfast", 0);
        av_dict_set(options, "crf", "20", 0);
        codec->max_b_frames = 0;  // every frame shown as sent, none reordered or trimmed
    } else {
        codec->bit_rate = 0;  // constant quality
        av_dict_set(options, "deadline", "realtime", 0);
        av_dict_set(options, "cpu-used", "8", 0);
        av_dict_set(options, "row-mt", "1", 0);
        av_dict_set(options, "crf", "32", 0);
        av_dict_set(options, "lag-in-frames", "0", 0);
        av_dict_set(options, "tile-columns", "2", 0);
    }
}

static int open_video(AnimWriter* writer)
{
    AnimEncoder* encoder = writer->encoder;
    VideoState* video = &encoder->video;
    const int mp4 = writer->format == ANIM_MP4;
    int code = avformat_alloc_output_context2(&video->format, nullptr, mp4 ? "mp4" : "webm", nullptr);
    if (code < 0)
        return fail_av(writer, code);
    const AVCodec* codec = avcodec_find_encoder_by_name(mp4 ? "libx264" : "libvpx-vp9");
    if (!codec)
        return fail(writer, mp4 ? "no H.264 encoder (libx264) in the codec library" : "no VP9 encoder (libvpx) in the codec library");
    video->stream = avformat_new_stream(video->format, nullptr);
    video->codec = avcodec_alloc_context3(codec);
    video->frame = av_frame_alloc();
    video->packet = av_packet_alloc();
    if (!video->stream || !video->codec || !video->frame || !video->packet)
        return fail_errno(writer, ENOMEM);
    anim_encoded_size(writer->format, writer->width, writer->height, &video->encoded_width, &video->encoded_height);
    AVCodecContext* c = video->codec;
    c->width = video->encoded_width;
    c->height = video->encoded_height;
    c->time_base = AVRational{1, writer->fps};
    c->framerate = AVRational{writer->fps, 1};
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->gop_size = 2 * writer->fps;
    c->thread_count = 0;  // as many as there are cores
    // the converter's matrix, said in the stream so players undo the same one
    c->colorspace = AVCOL_SPC_SMPTE170M;
    c->color_primaries = AVCOL_PRI_SMPTE170M;
    c->color_trc = AVCOL_TRC_SMPTE170M;
    c->color_range = AVCOL_RANGE_MPEG;
    if (video->format->oformat->flags & AVFMT_GLOBALHEADER)
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = nullptr;
    set_codec_options(writer->format, c, &options);
    code = avcodec_open2(c, codec, &options);
    av_dict_free(&options);
    if (code < 0)
        return fail_av(writer, code);
    if ((code = avcodec_parameters_from_context(video->stream->codecpar, c)) < 0)
        return fail_av(writer, code);
    video->stream->time_base = c->time_base;

    video->frame->format = c->pix_fmt;
    video->frame->width = c->width;
    video->frame->height = c->height;
    if ((code = av_frame_get_buffer(video->frame, 0)) < 0)
        return fail_av(writer, code);
    video->convert = sws_getContext(c->width, c->height, AV_PIX_FMT_RGB24, c->width, c->height, AV_PIX_FMT_YUV420P,
                                    SWS_BILINEAR, nullptr, nullptr, nullptr);
    video->rgb.assign((size_t)c->width * c->height * 3, 0);
    const int io_size = 1 << 16;
    uint8_t* io_buffer = (uint8_t*)av_malloc(io_size);
    if (!video->convert || !io_buffer)
        return fail_errno(writer, ENOMEM);
    video->format->pb = avio_alloc_context(io_buffer, io_size, 1, &encoder->file, nullptr, write_packet, seek_file);
    if (!video->format->pb) {
        av_free(io_buffer);
        return fail_errno(writer, ENOMEM);
    }
    if ((code = avformat_write_header(video->format, nullptr)) < 0)
        return fail_av(writer, code);
    video->header_written = 1;
    return 1;
}

// Sends frame (null: the end) and writes every packet the encoder has ready.
static int encode(AnimWriter* writer, AVFrame* frame)
{
    VideoState* video = &writer->encoder->video;
    int code = avcodec_send_frame(video->codec, frame);
    while (code >= 0) {
        code = avcodec_receive_packet(video->codec, video->packet);
        if (code == AVERROR(EAGAIN) || code == AVERROR_EOF)
            return 1;
        if (code < 0)
            break;
        video->packet->duration = 1;  // one frame: the container's length then counts the last one
        av_packet_rescale_ts(video->packet, video->codec->time_base, video->stream->time_base);
        video->packet->stream_index = video->stream->index;
        code = av_interleaved_write_frame(video->format, video->packet);
    }
    return fail_av(writer, code);
}

static int add_video_frame(AnimWriter* writer, const RgbImage* frame)
{
    VideoState* video = &writer->encoder->video;
    int code = av_frame_make_writable(video->frame);
    if (code < 0)
        return fail_av(writer, code);
    copy_top_down(frame, video->rgb.data(), video->encoded_width, video->encoded_height);
    const uint8_t* source[1] = {video->rgb.data()};
    const int stride[1] = {video->encoded_width * 3};
    sws_scale(video->convert, source, stride, 0, video->encoded_height, video->frame->data, video->frame->linesize);
    video->frame->pts = writer->frames;
    return encode(writer, video->frame);
}

static int finish_video(AnimWriter* writer)
{
    VideoState* video = &writer->encoder->video;
    if (!encode(writer, nullptr))
        return 0;
    int code = av_write_trailer(video->format);
    avio_flush(video->format->pb);
    if (code < 0 || video->format->pb->error < 0)
        return fail_av(writer, code < 0 ? code : video->format->pb->error);
    return 1;
}

//// [SECTION] GIF: one palette, nearest colours, giflib

static int write_gif_bytes(GifFileType* gif, const GifByteType* bytes, int size)
{
    SafeFile* file = (SafeFile*)gif->UserData;
    safe_file_write(file, bytes, (size_t)size);
    return file->failed ? 0 : size;
}

// Median cut of the picture's colours (5 bits a channel) into slots boxes, each box's
// colour the mean of its pixels. Returns the number of colours made.
static int median_cut(const RgbImage* frame, int slots, uint8_t (*palette)[3])
{
    struct Bin {
        uint8_t c[3];        // 5-bit coordinates
        uint64_t count, sum[3];
    };
    std::vector<Bin> bins(1 << 15);
    for (int i = 0; i < (1 << 15); i++)
        bins[i] = Bin{{(uint8_t)(i >> 10), (uint8_t)((i >> 5) & 31), (uint8_t)(i & 31)}, 0, {0, 0, 0}};
    const size_t pixels = (size_t)frame->width * frame->height;
    for (size_t p = 0; p < pixels; p++) {
        const uint8_t* rgb = frame->pixels + p * 3;
        Bin& bin = bins[(rgb[0] >> 3) << 10 | (rgb[1] >> 3) << 5 | rgb[2] >> 3];
        bin.count++;
        for (int k = 0; k < 3; k++)
            bin.sum[k] += rgb[k];
    }
    bins.erase(std::remove_if(bins.begin(), bins.end(), [](const Bin& b) { return b.count == 0; }), bins.end());
    struct Box {
        size_t begin, end;
    };
    std::vector<Box> boxes = {{0, bins.size()}};
    auto widest = [&](const Box& box, int* channel) {
        int best = -1;
        for (int k = 0; k < 3; k++) {
            int low = 31, high = 0;
            for (size_t i = box.begin; i < box.end; i++)
                low = std::min<int>(low, bins[i].c[k]), high = std::max<int>(high, bins[i].c[k]);
            if (high - low > best)
                best = high - low, *channel = k;
        }
        return best;
    };
    while ((int)boxes.size() < slots) {
        int pick = -1, channel = 0, best = 0;
        for (size_t b = 0; b < boxes.size(); b++) {
            int k = 0;
            const int range = boxes[b].end - boxes[b].begin > 1 ? widest(boxes[b], &k) : 0;
            if (range > best)
                best = range, pick = (int)b, channel = k;
        }
        if (pick < 0)
            break;  // every box is one colour
        Box box = boxes[pick];
        std::sort(bins.begin() + box.begin, bins.begin() + box.end,
                  [channel](const Bin& a, const Bin& b) { return a.c[channel] < b.c[channel]; });
        uint64_t total = 0, half = 0;
        for (size_t i = box.begin; i < box.end; i++)
            total += bins[i].count;
        size_t cut = box.begin + 1;
        for (size_t i = box.begin; i < box.end - 1; i++) {
            half += bins[i].count;
            cut = i + 1;
            if (half * 2 >= total)
                break;
        }
        boxes[pick] = {box.begin, cut};
        boxes.push_back({cut, box.end});
    }
    int made = 0;
    for (const Box& box : boxes) {
        uint64_t count = 0, sum[3] = {0, 0, 0};
        for (size_t i = box.begin; i < box.end; i++) {
            count += bins[i].count;
            for (int k = 0; k < 3; k++)
                sum[k] += bins[i].sum[k];
        }
        if (count == 0)
            continue;
        for (int k = 0; k < 3; k++)
            palette[made][k] = (uint8_t)((sum[k] + count / 2) / count);
        made++;
    }
    return made;
}

static int open_gif(AnimWriter* writer)
{
    GifState* state = &writer->encoder->gif;
    int error = 0;
    state->gif = EGifOpen(&writer->encoder->file, write_gif_bytes, &error);
    if (!state->gif)
        return fail(writer, GifErrorString(error));
    EGifSetGifVersion(state->gif, true);
    state->delay_cs = (100 + writer->fps / 2) / writer->fps;
    state->line.resize((size_t)writer->width);
    return 1;
}

static int gif_error(AnimWriter* writer)
{
    if (writer->encoder->file.failed)
        return fail_errno(writer, writer->encoder->file.error);
    return fail(writer, GifErrorString(writer->encoder->gif.gif->Error));
}

// The first frame: the palette, the screen and the loop that repeats the animation.
static int start_gif(AnimWriter* writer, const RgbImage* frame)
{
    GifState* state = &writer->encoder->gif;
    const int made = median_cut(frame, 256 - state->reserved_count, state->palette);
    memcpy(state->palette[made], state->reserved, (size_t)state->reserved_count * 3);
    for (int i = made + state->reserved_count; i < 256; i++)
        memset(state->palette[i], 0, 3);
    state->nearest.assign((size_t)1 << 24, 0);
    state->known.assign((size_t)1 << 21, 0);
    GifColorType colours[256];
    for (int i = 0; i < 256; i++)
        colours[i] = GifColorType{state->palette[i][0], state->palette[i][1], state->palette[i][2]};
    ColorMapObject* map = GifMakeMapObject(256, colours);
    if (!map)
        return fail_errno(writer, ENOMEM);
    const int ok = EGifPutScreenDesc(state->gif, writer->width, writer->height, 8, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    static const GifByteType LOOP[3] = {1, 0, 0};  // sub-block 1, repeat count 0: for ever
    if (!ok || EGifPutExtensionLeader(state->gif, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(state->gif, 11, "NETSCAPE2.0") != GIF_OK ||
        EGifPutExtensionBlock(state->gif, 3, LOOP) != GIF_OK || EGifPutExtensionTrailer(state->gif) != GIF_OK)
        return gif_error(writer);
    return 1;
}

// The palette index nearest to rgb in distance squared, the lowest index of equals.
static uint8_t nearest_index(GifState* state, const uint8_t* rgb)
{
    const uint32_t key = (uint32_t)rgb[0] << 16 | (uint32_t)rgb[1] << 8 | rgb[2];
    if (key == state->last_key)
        return state->last_index;  // most neighbours share a colour
    state->last_key = key;
    if (state->known[key >> 3] & (1u << (key & 7)))
        return state->last_index = state->nearest[key];
    int best = 0, best_distance = 1 << 30;
    for (int i = 0; i < 256; i++) {
        const int dr = rgb[0] - state->palette[i][0], dg = rgb[1] - state->palette[i][1],
                  db = rgb[2] - state->palette[i][2];
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < best_distance)
            best_distance = distance, best = i;
    }
    state->known[key >> 3] |= (uint8_t)(1u << (key & 7));
    state->nearest[key] = (uint8_t)best;
    return state->last_index = (uint8_t)best;
}

static int add_gif_frame(AnimWriter* writer, const RgbImage* frame)
{
    GifState* state = &writer->encoder->gif;
    if (writer->frames == 0 && !start_gif(writer, frame))
        return 0;
    GraphicsControlBlock control = {DISPOSE_DO_NOT, false, state->delay_cs, NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(state->gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) != GIF_OK ||
        EGifPutImageDesc(state->gif, 0, 0, writer->width, writer->height, false, nullptr) != GIF_OK)
        return gif_error(writer);
    for (int y = frame->height - 1; y >= 0; y--) {  // GIF rows top first
        const uint8_t* row = frame->pixels + (size_t)y * frame->width * 3;
        for (int x = 0; x < frame->width; x++)
            state->line[x] = nearest_index(state, row + (size_t)x * 3);
        if (EGifPutLine(state->gif, state->line.data(), writer->width) != GIF_OK)
            return gif_error(writer);
    }
    return 1;
}

static int finish_gif(AnimWriter* writer)
{
    GifState* state = &writer->encoder->gif;
    int error = 0;
    const int closed = EGifCloseFile(state->gif, &error) == GIF_OK;
    state->gif = nullptr;
    if (writer->encoder->file.failed)
        return fail_errno(writer, writer->encoder->file.error);
    return closed ? 1 : fail(writer, GifErrorString(error));
}

//// [SECTION] PNG frames into a folder

// A name "frame_NNNNN.png" as this writer makes them.
static int is_frame_name(const char* name)
{
    unsigned number;
    char end[8];
    return sscanf(name, "frame_%5u%7s", &number, end) == 2 && strcmp(end, ".png") == 0;
}

// Removes a frames folder: its frame files, then the folder. Returns 1, or 0 when it
// holds anything else (nothing is then removed) or cannot be read.
static int remove_frames_folder(const char* folder, int check_only)
{
    DIR* dir = opendir(folder);
    if (!dir)
        return 0;
    int only_frames = 1;
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir)) {
        if (!strcmp(entry->d_name, ".") || !strcmp(entry->d_name, ".."))
            continue;
        if (!is_frame_name(entry->d_name))
            only_frames = 0;
        names.push_back(entry->d_name);
    }
    closedir(dir);
    if (!only_frames || check_only)
        return only_frames;
    for (const std::string& name : names)
        unlink((std::string(folder) + "/" + name).c_str());
    return rmdir(folder) == 0;
}

static void sync_path(const char* path)
{
    int fd = open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)fsync(fd);
        close(fd);
    }
}

static int open_png(AnimWriter* writer, const char* path)
{
    PngState* state = &writer->encoder->png;
    size_t length = strlen(path);
    while (length > 1 && path[length - 1] == '/')
        length--;  // "frames/" names the folder frames
    if (length == 0 || length + 8 >= sizeof state->target)
        return fail_errno(writer, length ? ENAMETOOLONG : ENOENT);
    memcpy(state->target, path, length);
    state->target[length] = '\0';
    struct stat info;
    if (stat(state->target, &info) == 0) {
        if (!S_ISDIR(info.st_mode))
            return fail_errno(writer, ENOTDIR);
        if (!remove_frames_folder(state->target, 1))
            return fail(writer, "the folder holds files other than the frames of an earlier export");
    }
    snprintf(state->temp, sizeof state->temp, "%s.XXXXXX", state->target);
    if (!mkdtemp(state->temp)) {
        state->temp[0] = '\0';
        return fail_errno(writer, errno);
    }
    state->rows.resize((size_t)writer->height);
    return 1;
}

static void write_png_bytes(png_structp png, png_bytep bytes, png_size_t size)
{
    FILE* stream = (FILE*)png_get_io_ptr(png);
    if (fwrite(bytes, 1, size, stream) != size)
        png_error(png, "write failed");
}

static void flush_png(png_structp png)
{
    (void)png;
}

// One frame file; returns 1 or 0 with state->error set. No C++ object lives across the
// library's long jump.
static int write_png_file(PngState* state, const char* path, const RgbImage* frame)
{
    FILE* stream = fopen(path, "wb");
    if (!stream) {
        state->error = errno;
        return 0;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    int ok = 0;
    errno = 0;
    if (png && info && !setjmp(png_jmpbuf(png))) {
        png_set_write_fn(png, stream, write_png_bytes, flush_png);
        png_set_IHDR(png, info, (png_uint_32)frame->width, (png_uint_32)frame->height, 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        // speed over size: runs of one byte (the flat background, the map's plain areas)
        // are what a frame has most of
        png_set_compression_level(png, 1);
        png_set_compression_strategy(png, Z_RLE);
        png_set_filter(png, 0, PNG_FILTER_SUB);
        png_write_info(png, info);
        png_write_image(png, state->rows.data());
        png_write_end(png, info);
        ok = 1;
    }
    if (!ok)
        state->error = errno ? errno : ENOMEM;
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    if (ok && fflush(stream) != 0)
        ok = 0, state->error = errno;
    if (fclose(stream) != 0 && ok)
        ok = 0, state->error = errno;
    return ok;
}

static int add_png_frame(AnimWriter* writer, const RgbImage* frame)
{
    PngState* state = &writer->encoder->png;
    for (int y = 0; y < frame->height; y++)
        state->rows[(size_t)y] = frame->pixels + (size_t)(frame->height - 1 - y) * frame->width * 3;
    char path[SAFE_PATH_SIZE + 32];
    snprintf(path, sizeof path, "%s/frame_%05d.png", state->temp, writer->frames + 1);
    return write_png_file(state, path, frame) ? 1 : fail_errno(writer, state->error);
}

static int finish_png(AnimWriter* writer)
{
    PngState* state = &writer->encoder->png;
    // every frame on disk before the folder takes the target's place: one flush of the
    // file system rather than one per frame
    const int fd = open(state->temp, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int synced = fd >= 0 && syncfs(fd) == 0;
    const int error = errno;
    if (fd >= 0)
        close(fd);
    if (!synced)
        return fail_errno(writer, error);
    struct stat info;
    if (stat(state->target, &info) == 0) {
        // the new folder and the old change places in one step; the old one then goes
        if (renameat2(AT_FDCWD, state->temp, AT_FDCWD, state->target, RENAME_EXCHANGE) != 0)
            return fail_errno(writer, errno);
        remove_frames_folder(state->temp, 0);
    } else if (rename(state->temp, state->target) != 0) {
        return fail_errno(writer, errno);
    }
    state->temp[0] = '\0';
    char parent[SAFE_PATH_SIZE];
    snprintf(parent, sizeof parent, "%s", state->target);
    char* slash = strrchr(parent, '/');
    if (slash)
        slash[slash == parent ? 1 : 0] = '\0';
    sync_path(slash ? parent : ".");
    return 1;
}

//// [SECTION] the writer

int anim_open(AnimWriter* writer, AnimFormat format, const char* path, int width, int height, int fps)
{
    av_log_set_level(AV_LOG_ERROR);  // the encoders' statistics are not for the user
    memset(writer, 0, sizeof *writer);
    writer->format = format;
    writer->width = width;
    writer->height = height;
    writer->fps = fps;
    if (format < ANIM_MP4 || format > ANIM_PNG || width <= 0 || height <= 0 || width > 16384 || height > 16384 ||
        fps < ANIM_MIN_FPS || fps > ANIM_MAX_FPS)
        return fail_errno(writer, EINVAL);
    writer->encoder = new AnimEncoder();
    int ok;
    if (format == ANIM_PNG) {
        ok = open_png(writer, path);
    } else if (!safe_file_open(&writer->encoder->file, path)) {
        ok = fail_errno(writer, errno);
    } else {
        ok = format == ANIM_GIF ? open_gif(writer) : open_video(writer);
    }
    if (!ok) {
        char reason[ANIM_REASON_SIZE];
        memcpy(reason, writer->reason, sizeof reason);
        anim_discard(writer);
        memcpy(writer->reason, reason, sizeof reason);
    }
    return ok;
}

void anim_reserve_colour(AnimWriter* writer, const uint8_t rgb[3])
{
    GifState* state = &writer->encoder->gif;
    if (writer->frames == 0 && state->reserved_count < ANIM_MAX_RESERVED)
        memcpy(state->reserved[state->reserved_count++], rgb, 3);
}

int anim_add_frame(AnimWriter* writer, const RgbImage* frame)
{
    writer->reason[0] = '\0';
    if (!writer->encoder || frame->width != writer->width || frame->height != writer->height ||
        frame->bytes_per_pixel != 3 || !frame->pixels)
        return fail_errno(writer, EINVAL);
    int ok = writer->format == ANIM_PNG   ? add_png_frame(writer, frame)
             : writer->format == ANIM_GIF ? add_gif_frame(writer, frame)
                                          : add_video_frame(writer, frame);
    if (ok)
        writer->frames++;
    return ok;
}

int anim_finish(AnimWriter* writer)
{
    writer->reason[0] = '\0';
    if (!writer->encoder)
        return fail_errno(writer, EINVAL);
    int ok;
    if (writer->format == ANIM_PNG) {
        ok = finish_png(writer);
    } else {
        ok = writer->format == ANIM_GIF ? finish_gif(writer) : finish_video(writer);
        if (ok) {
            ok = safe_file_commit(&writer->encoder->file);  // removes the temporary file on failure
            if (!ok)
                fail_errno(writer, errno);
        }
    }
    char reason[ANIM_REASON_SIZE];
    memcpy(reason, writer->reason, sizeof reason);
    anim_discard(writer);
    memcpy(writer->reason, reason, sizeof reason);
    return ok;
}

void anim_discard(AnimWriter* writer)
{
    AnimEncoder* encoder = writer->encoder;
    if (!encoder)
        return;
    if (encoder->gif.gif) {
        int error;
        EGifCloseFile(encoder->gif.gif, &error);
    }
    close_video(&encoder->video);
    safe_file_discard(&encoder->file);
    if (encoder->png.temp[0])
        remove_frames_folder(encoder->png.temp, 0);
    delete encoder;
    writer->encoder = nullptr;
}
