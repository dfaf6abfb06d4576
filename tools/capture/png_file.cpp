#include "png_file.h"

#include "pending_file.h"

#include <QBuffer>
#include <QImage>

bool writePng(const std::string &path, int width, int height,
              const std::vector<std::uint8_t> &rgb, std::string &error)
{
    PendingFile file(path);
    if (!file.open()) {
        error = file.error();
        return false;
    }
    const QImage image(rgb.data(), width, height, width * 3, QImage::Format_RGB888);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        error = "cannot write " + path + ": the PNG encoder failed";
        return false;
    }
    if (!file.write(png.constData(), static_cast<std::size_t>(png.size())) || !file.commit()) {
        error = file.error();
        return false;
    }
    return true;
}
