// Renders the desktop program's own pictures: the splash screen (150 x 150) and the about box
// (400 x 400) as baseline JPEGs written with libjpeg, and the application icon as PNGs: 256 x 256
// (orlenda3001.png) and the smaller sizes that window managers and the desktop ask for
// (orlenda3001-16.png ... orlenda3001-128.png), scaled down from it, so that the program never has to
// decode and scale the large one, and the same sizes packed into one Windows icon (orlenda3001.ico,
// PNG entries) for the Windows program's resources. Everything is drawn from a fixed seed, so the pictures
// come out the same on every run.
//
//   render_pictures OUTPUT_FOLDER

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

// jpeglib.h expects FILE and size_t to be declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

namespace {

constexpr int kJpegQuality = 90;
constexpr int kIconSize = 256;
constexpr int kSmallIconSizes[] = {16, 32, 48, 64, 128};

struct Planet {
  QPointF centre;
  double radius;
  QColor day;
  QColor night;
};

void PaintSky(QPainter& painter, const QSize& size) {
  QLinearGradient sky(0, 0, size.width() * 0.3, size.height());
  sky.setColorAt(0.0, QColor(6, 6, 18));
  sky.setColorAt(0.6, QColor(12, 10, 32));
  sky.setColorAt(1.0, QColor(4, 4, 12));
  painter.fillRect(QRect(QPoint(0, 0), size), sky);
}

// Soft clouds of colour: overlapping transparent radial gradients.
void PaintNebula(QPainter& painter, const QSize& size, std::mt19937& random) {
  std::uniform_real_distribution<double> x(0, size.width());
  std::uniform_real_distribution<double> y(0, size.height() * 0.75);
  std::uniform_real_distribution<double> radius(size.width() * 0.12, size.width() * 0.35);
  const QColor tints[] = {QColor(110, 40, 150), QColor(30, 90, 150), QColor(150, 50, 90)};
  for (int i = 0; i < 14; ++i) {
    const QPointF centre(x(random), y(random));
    QColor tint = tints[i % 3];
    tint.setAlpha(38);
    QRadialGradient cloud(centre, radius(random));
    cloud.setColorAt(0, tint);
    cloud.setColorAt(1, QColor(0, 0, 0, 0));
    painter.setBrush(cloud);
    painter.setPen(Qt::NoPen);
    painter.drawRect(QRect(QPoint(0, 0), size));
  }
}

void PaintStars(QPainter& painter, const QSize& size, std::mt19937& random, int count) {
  std::uniform_real_distribution<double> x(0, size.width());
  std::uniform_real_distribution<double> y(0, size.height());
  std::uniform_real_distribution<double> unit(0, 1);
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const QPointF at(x(random), y(random));
    const double brightness = std::pow(unit(random), 3.0);
    const int level = 110 + static_cast<int>(145 * brightness);
    const int warmth = static_cast<int>(30 * unit(random));
    const QColor star(level, level - warmth / 2, std::min(255, level + warmth));
    const double radius = 0.4 + 1.4 * brightness;
    if (brightness > 0.55) {
      QRadialGradient glow(at, radius * 5);
      QColor halo = star;
      halo.setAlpha(70);
      glow.setColorAt(0, halo);
      glow.setColorAt(1, QColor(0, 0, 0, 0));
      painter.setBrush(glow);
      painter.drawEllipse(at, radius * 5, radius * 5);
    }
    painter.setBrush(star);
    painter.drawEllipse(at, radius, radius);
  }
}

// A planet lit from the upper left, with a thin bright rim on the lit side.
void PaintPlanet(QPainter& painter, const Planet& planet) {
  const QPointF light = planet.centre + QPointF(-planet.radius * 0.45, -planet.radius * 0.45);
  QRadialGradient surface(light, planet.radius * 1.6);
  surface.setColorAt(0.0, planet.day.lighter(130));
  surface.setColorAt(0.45, planet.day);
  surface.setColorAt(1.0, planet.night);
  painter.setPen(Qt::NoPen);
  painter.setBrush(surface);
  painter.drawEllipse(planet.centre, planet.radius, planet.radius);
  QRadialGradient atmosphere(planet.centre, planet.radius * 1.12);
  atmosphere.setColorAt(0.88, QColor(120, 170, 255, 0));
  atmosphere.setColorAt(0.93, QColor(120, 170, 255, 90));
  atmosphere.setColorAt(1.0, QColor(120, 170, 255, 0));
  painter.setBrush(atmosphere);
  painter.drawEllipse(planet.centre, planet.radius * 1.12, planet.radius * 1.12);
}

QImage RenderSpace(int edge, unsigned seed, int stars, const Planet& planet) {
  QImage image(edge, edge, QImage::Format_RGB888);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  std::mt19937 random(seed);
  PaintSky(painter, image.size());
  PaintNebula(painter, image.size(), random);
  PaintStars(painter, image.size(), random, stars);
  PaintPlanet(painter, planet);
  return image;
}

QImage RenderIcon() {
  QImage image(kIconSize, kIconSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(kIconSize / 2.0, kIconSize / 2.0);
  QRadialGradient disc(centre, kIconSize * 0.48);
  disc.setColorAt(0, QColor(24, 20, 60));
  disc.setColorAt(1, QColor(6, 6, 20));
  painter.setPen(QPen(QColor(140, 150, 200), 6));
  painter.setBrush(disc);
  painter.drawEllipse(centre, kIconSize * 0.46, kIconSize * 0.46);
  std::mt19937 random(3001);
  painter.setClipPath([&] {
    QPainterPath inside;
    inside.addEllipse(centre, kIconSize * 0.44, kIconSize * 0.44);
    return inside;
  }());
  PaintStars(painter, image.size(), random, 60);
  const Planet planet{QPointF(0, 0), kIconSize * 0.22, QColor(200, 120, 60), QColor(30, 10, 10)};
  painter.setClipping(false);
  painter.translate(centre);
  painter.rotate(-20);
  PaintPlanet(painter, planet);
  painter.setPen(QPen(QColor(230, 210, 140), 7));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QPointF(0, 0), kIconSize * 0.38, kIconSize * 0.12);
  // The far half of the ring passes behind the planet.
  painter.setClipRect(QRectF(-kIconSize, -kIconSize, 2.0 * kIconSize, kIconSize - 2.0));
  PaintPlanet(painter, planet);
  return image;
}

// Baseline (sequential, not progressive) JPEG, as the windows' decoder expects.
bool WriteJpeg(const QImage& picture, const std::string& path) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(rgb.width());
  info.image_height = static_cast<JDIMENSION>(rgb.height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, kJpegQuality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(file) == 0;
}

void AppendLittleEndian(QByteArray& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.append(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

// A Windows icon file whose entries are PNG pictures (read by Windows Vista and later). An entry of
// 256 pixels is written as 0 in the one-byte size fields.
bool WriteWindowsIcon(const std::vector<QByteArray>& pngs, const std::vector<int>& sizes,
                      const std::string& path) {
  constexpr std::uint32_t kHeaderSize = 6;
  constexpr std::uint32_t kEntrySize = 16;
  QByteArray bytes;
  AppendLittleEndian(bytes, 0, 2);  // reserved
  AppendLittleEndian(bytes, 1, 2);  // an icon, not a cursor
  AppendLittleEndian(bytes, static_cast<std::uint32_t>(pngs.size()), 2);
  std::uint32_t offset = kHeaderSize + kEntrySize * static_cast<std::uint32_t>(pngs.size());
  for (std::size_t i = 0; i < pngs.size(); ++i) {
    const auto side = static_cast<std::uint32_t>(sizes[i] >= 256 ? 0 : sizes[i]);
    AppendLittleEndian(bytes, side, 1);
    AppendLittleEndian(bytes, side, 1);
    AppendLittleEndian(bytes, 0, 2);   // no palette, reserved
    AppendLittleEndian(bytes, 1, 2);   // colour planes
    AppendLittleEndian(bytes, 32, 2);  // bits per pixel
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(pngs[i].size()), 4);
    AppendLittleEndian(bytes, offset, 4);
    offset += static_cast<std::uint32_t>(pngs[i].size());
  }
  for (const QByteArray& png : pngs) bytes.append(png);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file) ==
                       static_cast<std::size_t>(bytes.size());
  return std::fclose(file) == 0 && written;
}

QByteArray PngBytes(const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

bool WriteIcons(const std::string& folder) {
  const QImage icon = RenderIcon();
  if (!icon.save(QString::fromStdString(folder + "/orlenda3001.png"))) return false;
  std::vector<QByteArray> pngs;
  std::vector<int> sizes;
  for (const int size : kSmallIconSizes) {
    const QImage small = icon.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (!small.save(QString::fromStdString(folder + "/orlenda3001-" + std::to_string(size) + ".png")))
      return false;
    pngs.push_back(PngBytes(small));
    sizes.push_back(size);
  }
  pngs.push_back(PngBytes(icon));
  sizes.push_back(icon.width());
  return WriteWindowsIcon(pngs, sizes, folder + "/orlenda3001.ico");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: render_pictures OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  const QImage splash =
      RenderSpace(150, 150, 160, {QPointF(104, 50), 28, QColor(70, 120, 190), QColor(6, 10, 30)});
  const QImage about =
      RenderSpace(400, 2001, 700, {QPointF(318, 222), 62, QColor(190, 110, 70), QColor(20, 8, 10)});
  const bool written = WriteJpeg(splash, folder + "/splash.jpg") && WriteJpeg(about, folder + "/about.jpg") &&
                       WriteIcons(folder);
  if (!written) {
    std::fprintf(stderr, "render_pictures: cannot write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
