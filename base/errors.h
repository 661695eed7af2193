#pragma once
// The error classes the program raises and the fixed texts of the shared ones. Each
// error carries its final message text; catch sites tell them apart by class, never by
// parsing the text. Module-specific texts (bitmap, JPEG, GIF, window) live with their
// module's errors.
#include <exception>
#include <string>

namespace tapestro {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }

 private:
  std::string message_;
};

#define TAPESTRO_ERROR_CLASS(Name, Base) \
  class Name : public Base {             \
   public:                               \
    using Base::Base;                    \
  }

// A silent cancellation: handlers end quietly instead of reporting it.
TAPESTRO_ERROR_CLASS(EAbort, Exception);
TAPESTRO_ERROR_CLASS(EConvertError, Exception);
TAPESTRO_ERROR_CLASS(EListError, Exception);
TAPESTRO_ERROR_CLASS(EInOutError, Exception);
TAPESTRO_ERROR_CLASS(EOSError, Exception);
TAPESTRO_ERROR_CLASS(EOutOfMemory, Exception);
TAPESTRO_ERROR_CLASS(EOutOfResources, EOutOfMemory);
TAPESTRO_ERROR_CLASS(EIniFileException, Exception);
TAPESTRO_ERROR_CLASS(EInvalidGraphic, Exception);
TAPESTRO_ERROR_CLASS(EInvalidGraphicOperation, Exception);
TAPESTRO_ERROR_CLASS(EStreamError, Exception);
TAPESTRO_ERROR_CLASS(EReadError, EStreamError);
TAPESTRO_ERROR_CLASS(EWriteError, EStreamError);
TAPESTRO_ERROR_CLASS(EFOpenError, EStreamError);
TAPESTRO_ERROR_CLASS(EFCreateError, EStreamError);

#undef TAPESTRO_ERROR_CLASS

// "List index out of bounds (%d)" for index i.
[[noreturn]] void ThrowListIndexError(long long index);
// "'%s' is not a valid integer value" unless text is a whole decimal number.
int StrToInt(const std::string& text);

}  // namespace tapestro

namespace tapestro::msg {

inline constexpr char kStreamReadError[] = "Stream read error";
inline constexpr char kStreamWriteError[] = "Stream write error";
// Files: the path, then the reason in the system's words (fs::ErrorText).
inline constexpr char kFOpenError[] = "Cannot open file \"%s\". %s";
inline constexpr char kFCreateError[] = "Cannot create file \"%s\". %s";
inline constexpr char kFReadError[] = "Stream read error: file \"%s\". %s";
inline constexpr char kFWriteError[] = "Stream write error: file \"%s\". %s";
inline constexpr char kFReplaceError[] = "Cannot replace file \"%s\". %s";
// The reason when a file kept for later is shorter than when it was read.
inline constexpr char kFileShrank[] = "The file was cut short after it was opened";
inline constexpr char kListIndexError[] = "List index out of bounds (%d)";
inline constexpr char kUnableToWrite[] = "Unable to write to %s";
inline constexpr char kAssignError[] = "Cannot assign a %s to a %s";
inline constexpr char kInvalidInteger[] = "'%s' is not a valid integer value";
inline constexpr char kOutOfResources[] = "Out of system resources";
inline constexpr char kOutOfMemory[] = "Out of memory";
inline constexpr char kOperationAborted[] = "Operation aborted";
inline constexpr char kDirectoryDoesNotExist[] = "The %s directory does not exist";

}  // namespace tapestro::msg
