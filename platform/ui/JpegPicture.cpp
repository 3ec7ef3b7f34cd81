#include "platform/ui/JpegPicture.h"

#include "platform/Exceptions.h"

#include <QString>

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

namespace {

// Larger pictures are refused before any pixel memory is taken (a corrupt header can claim
// up to 65500 x 65500 pixels).
constexpr unsigned long long MaxPixels = 64ULL * 1024 * 1024;

// Everything libjpeg reads and writes during one decoding. It lives on the heap, outside the
// frame that calls setjmp, so no automatic object of that frame changes between the setjmp
// and a longjmp back to it.
struct DecodeState {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// libjpeg's fatal-error hook: keep the message and jump back to DecompressInto.
void ExitOnJpegError(j_common_ptr info) {
    auto* state = static_cast<DecodeState*>(info->client_data);
    (*info->err->format_message)(info, state->message);
    std::longjmp(state->jump, 1);
}

// Warnings (level -1) report corrupt data that libjpeg would paper over with grey blocks,
// such as a truncated file; they fail the decoding too. Trace messages are ignored.
void EmitJpegMessage(j_common_ptr info, int level) {
    if (level < 0)
        ExitOnJpegError(info);
}

void Refuse(DecodeState* state, const char* text) {
    std::snprintf(state->message, sizeof state->message, "%s", text);
}

// Decompresses data into *image. Returns false after any failure, with state->message set.
// This is the only frame libjpeg jumps back into; it holds only trivially destructible
// locals, so the jump skips no destructor.
bool DecompressInto(DecodeState* state, const unsigned char* data, unsigned long size,
                    QImage* image) {
    jpeg_decompress_struct* info = &state->info;
    if (setjmp(state->jump) != 0) {
        jpeg_destroy_decompress(info);
        return false;
    }
    info->err = jpeg_std_error(&state->errors);
    state->errors.error_exit = ExitOnJpegError;
    state->errors.emit_message = EmitJpegMessage;
    info->client_data = state;
    jpeg_create_decompress(info);
    jpeg_mem_src(info, data, size);
    jpeg_read_header(info, TRUE);
    info->out_color_space = JCS_RGB;
    jpeg_start_decompress(info);
    const char* refusal = nullptr;
    if (info->output_components != 3)
        refusal = "Unsupported colour model";
    else if (static_cast<unsigned long long>(info->output_width) * info->output_height > MaxPixels)
        refusal = "Picture too large";
    else
        *image = QImage(static_cast<int>(info->output_width), static_cast<int>(info->output_height),
                        QImage::Format_RGB888);
    if (refusal == nullptr && image->isNull())
        refusal = "Not enough memory for the picture";
    if (refusal != nullptr) {
        Refuse(state, refusal);
        jpeg_destroy_decompress(info);
        return false;
    }
    while (info->output_scanline < info->output_height) {
        JSAMPROW row = image->scanLine(static_cast<int>(info->output_scanline));
        jpeg_read_scanlines(info, &row, 1);
    }
    jpeg_finish_decompress(info);
    jpeg_destroy_decompress(info);
    return true;
}

} // namespace

QImage DecodeJpegPicture(const QByteArray& bytes) {
    auto state = std::make_unique<DecodeState>();
    QImage image;
    if (!DecompressInto(state.get(), reinterpret_cast<const unsigned char*>(bytes.constData()),
                        static_cast<unsigned long>(bytes.size()), &image))
        throw Exception(QStringLiteral("Cannot decode the JPEG picture: %1")
                            .arg(QString::fromLocal8Bit(state->message)));
    return image;
}
