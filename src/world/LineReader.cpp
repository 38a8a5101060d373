#include "world/LineReader.h"

bool LineReader::next(std::string& line) {
    line.clear();
    std::streambuf* source = in.rdbuf();
    if (source == nullptr || stopped) {
        return false;
    }
    bool any = false;
    bool cut = false;
    while (true) {
        if (consumed >= maxTotal) {
            stopped = source->sgetc() != std::char_traits<char>::eof();
            break;
        }
        const int next = source->sbumpc();
        if (next == std::char_traits<char>::eof()) {
            break;
        }
        ++consumed;
        any = true;
        if (next == '\n') {
            break;
        }
        if (line.size() < maxLineLength) {
            line.push_back(static_cast<char>(next));
        } else {
            cut = true;
        }
    }
    if (!any) {
        return false;
    }
    ++lineNumber;
    if (cut && cutLine == 0) {
        cutLine = lineNumber;
    }
    return true;
}

void LineReader::reportCuts(std::vector<std::string>& problems) const {
    if (cutLine != 0) {
        problems.push_back("line " + std::to_string(cutLine) + " runs on past " +
                           std::to_string(maxLineLength) +
                           " characters; the rest of it, and of any such line, is skipped");
    }
    if (stopped) {
        problems.push_back("the file runs on past " + std::to_string(maxTotal) +
                           " bytes; the rest of it is not read");
    }
}
