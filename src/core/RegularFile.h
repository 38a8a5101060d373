#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The files the game reads and writes by name, handled so that no file can hang or
// swamp it: only a regular file is read (a directory, a FIFO or a device is refused,
// with the reason), opening never blocks, and no more than a set number of bytes is
// read. Writing creates the file fresh and exclusively, never through a link.
class RegularFile {
  public:
    enum class Outcome {
        Read,    // text holds the file, or its first maxBytes bytes
        Missing, // there is no such file
        Refused, // something else stands there, or it cannot be opened: see problem
    };

    struct Contents {
        Outcome outcome = Outcome::Missing;
        std::string text;
        bool cutShort = false; // the file holds more than maxBytes
        std::string problem;   // why it was refused: "it is a FIFO, not a regular file",
                               // or the system's words
    };

    static Contents read(const std::string& path, std::size_t maxBytes);

    // Opens a new file at path for writing, created here and now: never one that exists,
    // never through a link. The descriptor, or -1 with errno telling why.
    static int createFresh(const std::string& path);

    // Writes text to a new file at path, which must not exist (a link there is not
    // followed), and flushes it to the disk. False with the system's reason otherwise;
    // a file it began is removed again.
    static bool writeFresh(const std::string& path, const std::string& text, std::string& reason);

    // Writes the text to a fresh file beside path (never through a link) and renames it
    // into place, so that a write cut short never costs the previous file. False on any
    // failure, with the old file untouched and the reason (the system's words, or what
    // stands in the way) in reason.
    static bool replace(const std::string& path, const std::string& text, std::string& reason);

    // Makes every folder of path that is missing, the last one too. False with the
    // folder and the system's reason when one cannot be made.
    static bool makeFolders(const std::string& path, std::string& reason);

    // The names of the regular files in folder that end in suffix, sorted, at most limit
    // of them; none when the folder is missing or cannot be read.
    static std::vector<std::string> namesIn(const std::string& folder, const std::string& suffix,
                                            std::size_t limit);
    // Removes the regular file at path (never a folder, never what a link points to).
    static bool remove(const std::string& path, std::string& reason);

    // Why the path may not be written or replaced: a directory, a FIFO, a device or a
    // socket stands there. Empty when there is nothing, a regular file or a link.
    static std::string strangerAt(const std::string& path);
    // Why no file can be made at path: the folder it would stand in is missing or is no
    // folder. Empty when the folder is there.
    static std::string missingFolderOf(const std::string& path);
    // When the file was last written, in seconds since 1970; -1 when there is none.
    static int64_t modifiedAt(const std::string& path);
};
