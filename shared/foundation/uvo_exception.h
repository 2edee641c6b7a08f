// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Root of the program's own exceptions. Messages name the failing operation, a colon
// and the fault ("StartLine: co-ordinates outside drawing area"); the user sees them
// in message boxes, so they are the program's own words and must stay exact.
#include <stdexcept>
#include <string>

namespace qr {

class UvoException : public std::runtime_error {
  public:
    explicit UvoException(const std::string& message) : std::runtime_error(message) {}
};

// Reading past the end of a stream (or a short read) raises this; callers that read
// line by line rely on it to stop at a last line without a line feed.
// With a file and a reason the message says which file failed and why:
//   Stream read error: "/x/game.px8": the file ends too early
class StreamReadError : public UvoException {
  public:
    StreamReadError() : UvoException("Stream read error") {}
    StreamReadError(const std::string& file, const std::string& reason)
        : UvoException("Stream read error: \"" + file + "\": " + reason) {}
};

class StreamWriteError : public UvoException {
  public:
    StreamWriteError() : UvoException("Stream write error") {}
    StreamWriteError(const std::string& file, const std::string& reason)
        : UvoException("Stream write error: \"" + file + "\": " + reason) {}
};

// A file that cannot be opened or created.
class FileOpenError : public UvoException {
  public:
    using UvoException::UvoException;
};

} // namespace qr
