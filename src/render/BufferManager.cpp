#include "render/BufferManager.h"

BufferManager::~BufferManager() {
    for (auto& [id, buffer] : buffers) {
        if (buffer->bitmap != nullptr) {
            al_destroy_bitmap(buffer->bitmap);
        }
        delete buffer;
    }
    buffers.clear();
}

void BufferManager::addBuffer(int id, ImageBuffer* buffer) {
    buffers[id] = buffer;
}

ImageBuffer* BufferManager::getBuffer(int id) const {
    auto found = buffers.find(id);
    return found == buffers.end() ? nullptr : found->second;
}
