#pragma once

#include <cstdint>

// One cell met by a path search. Plain data, made and dropped within one search.
struct PathNode {
    int32_t x = 0;
    int32_t y = 0;
    PathNode* parent = nullptr; // the node this one was reached from; null for the start
    int32_t f = 0;              // g + h
    int32_t g = 0;              // cost from the start, 10 a step
    int32_t h = 0;              // estimate of the cost still to go
};
