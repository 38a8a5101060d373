#include "render/ImageBuffer.h"

ImageBuffer::ImageBuffer(const char* path) : bitmap(al_load_bitmap(path)) {}
