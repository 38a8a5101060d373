#include "world/NumberParser.h"

#include <cctype>
#include <climits>
#include <cmath>

bool NumberParser::readInt(const char*& cursor, int& value) {
    const char* p = cursor;
    while (std::isspace(static_cast<unsigned char>(*p))) {
        ++p;
    }
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') {
        ++p;
    }
    if (!std::isdigit(static_cast<unsigned char>(*p))) {
        return false;
    }
    // Accumulate the magnitude as a negative number: INT_MIN has no positive twin.
    long long magnitude = 0;
    const long long limit = -static_cast<long long>(INT_MIN);
    while (std::isdigit(static_cast<unsigned char>(*p))) {
        if (magnitude <= limit) {
            magnitude = magnitude * 10 + (*p - '0');
        }
        ++p;
    }
    if (negative) {
        value = magnitude >= limit ? INT_MIN : static_cast<int>(-magnitude);
    } else {
        value = magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
    }
    cursor = p;
    return true;
}

void NumberParser::readPair(const char* text, int& first, int& second) {
    if (readInt(text, first)) {
        readInt(text, second);
    }
}

int NumberParser::readLeadingInt(const char* text) {
    int value = 0;
    readInt(text, value);
    return value;
}

int NumberParser::truncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}
