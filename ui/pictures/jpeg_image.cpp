#include "ui/pictures/jpeg_image.h"

#include <QFile>
#include <csetjmp>

// jpeglib.h expects FILE and size_t to be declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

namespace orlenda {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to the
// point saved before the call that failed. The functions that save that point hold no object with a
// destructor, so the jump skips nothing.
struct JpegErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf recoveryPoint;
};

extern "C" void JumpOnJpegError(j_common_ptr info) {
  auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
  std::longjmp(manager->recoveryPoint, 1);
}

extern "C" void IgnoreJpegMessage(j_common_ptr) {}

struct Decoder {
  jpeg_decompress_struct info;
  JpegErrorManager errors;
};

// Reads the header and starts decompression to 8-bit RGB. False when the data is not a JPEG picture.
bool StartDecoder(Decoder& decoder, const unsigned char* data, unsigned long size) {
  decoder.info.err = jpeg_std_error(&decoder.errors.base);
  decoder.errors.base.error_exit = JumpOnJpegError;
  decoder.errors.base.output_message = IgnoreJpegMessage;
  if (setjmp(decoder.errors.recoveryPoint) != 0) return false;
  jpeg_create_decompress(&decoder.info);
  jpeg_mem_src(&decoder.info, data, size);
  if (jpeg_read_header(&decoder.info, TRUE) != JPEG_HEADER_OK) return false;
  decoder.info.out_color_space = JCS_RGB;
  return jpeg_start_decompress(&decoder.info) == TRUE && decoder.info.output_components == 3;
}

// Decodes every scan line into rows `stride` bytes apart. False when the data breaks off.
bool ReadScanLines(Decoder& decoder, unsigned char* pixels, qsizetype stride) {
  if (setjmp(decoder.errors.recoveryPoint) != 0) return false;
  while (decoder.info.output_scanline < decoder.info.output_height) {
    JSAMPROW row = pixels + stride * decoder.info.output_scanline;
    if (jpeg_read_scanlines(&decoder.info, &row, 1) != 1) return false;
  }
  jpeg_finish_decompress(&decoder.info);
  return decoder.errors.base.num_warnings == 0;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& bytes) {
  if (bytes.isEmpty()) return {};
  Decoder decoder{};
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
  QImage image;
  if (StartDecoder(decoder, data, static_cast<unsigned long>(bytes.size()))) {
    image = QImage(static_cast<int>(decoder.info.output_width), static_cast<int>(decoder.info.output_height),
                   QImage::Format_RGB888);
    if (image.isNull() || !ReadScanLines(decoder, image.bits(), image.bytesPerLine())) image = QImage();
  }
  jpeg_destroy_decompress(&decoder.info);
  return image;
}

QImage LoadJpegResource(const QString& resourcePath) {
  QFile file(resourcePath);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return DecodeJpeg(file.readAll());
}

}  // namespace orlenda
