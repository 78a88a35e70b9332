#pragma once

// The program's text files: single-byte Windows-1252 with CR LF on disk, UTF-8 in memory.
// A file that is valid UTF-8 is taken as UTF-8 (Linux editors write it). Every write goes
// to a temporary file beside the target and is renamed over it, so a failed save never
// destroys the previous file; a symbolic link is written through, to its target.

#include <stdexcept>
#include <string>
#include <vector>

// A file that could not be read or written; the message is German and ready to show.
class FileError : public std::runtime_error {
public:
    explicit FileError(const std::string &message) : std::runtime_error(message) {}
};

// The German reason for a failed file operation with this errno, for every message about a file
// (never the system's English text).
std::string FileErrorReason(int error);

bool IsValidUtf8(const std::string &bytes);
std::string DecodeText(const std::string &bytes);          // UTF-8 or Windows-1252 -> UTF-8
std::string EncodeWindows1252(const std::string &utf8);    // unmappable characters become "?"
std::vector<std::string> SplitLines(const std::string &text); // CR LF, LF or CR; no empty last line

bool FileExists(const std::string &path);
std::string ReadFileBytes(const std::string &path);            // throws FileError
std::vector<std::string> ReadTextLines(const std::string &path); // decoded lines; throws FileError
void WriteFileAtomic(const std::string &path, const std::string &bytes); // throws FileError
// Lines joined with CR LF (also after the last), encoded as Windows-1252, written atomically.
void WriteTextLines(const std::string &path, const std::vector<std::string> &lines);
