#include "png_directory.h"

#include "png_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unistd.h>

PngDirectory::PngDirectory(const std::string &directory, int width, int height)
    : prefix(directory.back() == '/' ? directory : directory + "/"), width(width), height(height)
{
}

std::unique_ptr<PngDirectory> PngDirectory::open(const std::string &directory, int width,
                                                 int height, std::string &error)
{
    std::error_code failure;
    std::filesystem::create_directories(directory, failure);
    if (failure) {
        error = "cannot create " + directory + ": " + failure.message();
        return nullptr;
    }
    if (access(directory.c_str(), W_OK | X_OK) != 0) {
        error = "cannot write to " + directory + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<PngDirectory>(new PngDirectory(directory, width, height));
}

std::string PngDirectory::frameName(std::int64_t index)
{
    char name[40];
    std::snprintf(name, sizeof name, "frame_%06lld.png", static_cast<long long>(index));
    return name;
}

bool PngDirectory::add(const std::vector<std::uint8_t> &rgb, std::string &error)
{
    return writePng(prefix + frameName(next++), width, height, rgb, error);
}
