#pragma once

// Turns the bytes of a JPEG picture into an image with libjpeg. A picture that does not decode gives
// a null image, and the window that wanted it goes on without it.

#include <QByteArray>
#include <QImage>

namespace orlenda {

QImage DecodeJpeg(const QByteArray& bytes);

// The picture stored under a resource path (":/pictures/about.jpg"), decoded; null when missing.
QImage LoadJpegResource(const QString& resourcePath);

}  // namespace orlenda
