#pragma once

#include "core/Trackable.h"
#include "render/ImageBuffer.h"

#include <map>

// Keeps every loaded image for the life of the game, by id.
class BufferManager : public Trackable {
  public:
    BufferManager() = default;
    ~BufferManager();
    BufferManager(const BufferManager&) = delete;
    BufferManager& operator=(const BufferManager&) = delete;

    void addBuffer(int id, ImageBuffer* buffer);
    ImageBuffer* getBuffer(int id) const;

    std::map<int, ImageBuffer*> buffers;
};
