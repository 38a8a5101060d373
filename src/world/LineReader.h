#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

// Reads a text stream line by line, as std::getline would, but keeps at most
// maxLineLength characters of a line (the rest of it is skipped) and stops for good
// after maxTotal characters, so that an endless line or an endless file costs neither
// unbounded memory nor unbounded time.
class LineReader {
  public:
    // Far more than a line of a level or a save needs (a grid line is 30 characters, a
    // key and a number a few dozen), and than either file needs.
    static constexpr std::size_t LINE_LIMIT = 256;
    static constexpr std::size_t TEXT_LIMIT = 1 << 20;

    explicit LineReader(std::istream& in, std::size_t maxLineLength = LINE_LIMIT,
                        std::size_t maxTotal = TEXT_LIMIT)
        : in(in), maxLineLength(maxLineLength), maxTotal(maxTotal) {}

    // The next line without its line feed; false at the end of the text or of what may
    // be read.
    bool next(std::string& line);

    // The number of the first line that was cut short (1 for the first), or 0.
    int firstCutLine() const { return cutLine; }
    // True when reading stopped at maxTotal with more text to come.
    bool stoppedEarly() const { return stopped; }
    // Says what was cut, if anything, once for the whole text.
    void reportCuts(std::vector<std::string>& problems) const;

  private:
    std::istream& in;
    std::size_t maxLineLength;
    std::size_t maxTotal;
    std::size_t consumed = 0;
    int lineNumber = 0;
    int cutLine = 0;
    bool stopped = false;
};
