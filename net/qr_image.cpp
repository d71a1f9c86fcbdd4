#include "net/qr_image.h"

#include <qrcodegen.hpp>

QrImage qrImage(const std::string& text) {
  QrImage image;
  try {
    const qrcodegen::QrCode qr = qrcodegen::QrCode::encodeText(text.c_str(), qrcodegen::QrCode::Ecc::MEDIUM);
    image.size = qr.getSize();
    image.dark.resize(static_cast<std::size_t>(image.size * image.size));
    for (int y = 0; y < image.size; ++y)
      for (int x = 0; x < image.size; ++x)
        image.dark[static_cast<std::size_t>(y * image.size + x)] = qr.getModule(x, y);
  } catch (const qrcodegen::data_too_long&) {
    image = QrImage();
  }
  return image;
}
