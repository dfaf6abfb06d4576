#include "png_file.h"

#include <QImage>
#include <QSaveFile>

bool writePng(const std::string &path, int width, int height,
              const std::vector<std::uint8_t> &rgb, std::string &error)
{
    const QImage image(rgb.data(), width, height, width * 3, QImage::Format_RGB888);
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = "cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    if (!image.save(&file, "PNG") || !file.commit()) {
        error = "cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}
