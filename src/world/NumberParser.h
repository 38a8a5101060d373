#pragma once

// Reads decimal integers out of text the way the C library does (leading white space,
// an optional sign, digits up to the first character that is not one), but a number
// too large for an int saturates instead of being undefined behaviour.
class NumberParser {
  public:
    // Reads one number at cursor and moves cursor past it. False, with cursor and
    // value untouched, when no digits follow the white space and sign.
    static bool readInt(const char*& cursor, int& value);

    // The two numbers of a "%d %d" read; each one that cannot be read keeps its value.
    static void readPair(const char* text, int& first, int& second);

    // atoi's reading: a value without digits is 0.
    static int readLeadingInt(const char* text);

    // A double truncated toward zero, saturated to the range of int (NaN gives 0).
    static int truncateToInt(double value);
};
