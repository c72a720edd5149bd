// The input file as a file of one-byte records with a current position.
//
// The container readers see only InputFile, so they can be run on bytes held
// in memory as well as on the file the program opened. Every operation sets
// the I/O result when it fails and leaves it alone when it succeeds; the
// caller follows each one with the I/O check.
#ifndef TRELVIK_RUNTIME_INPUT_FILE_H_
#define TRELVIK_RUNTIME_INPUT_FILE_H_

#include <cstdint>
#include <string>

#include "runtime/platform.h"

namespace trelvik {

// The I/O result of a read that delivers fewer bytes than asked: the end of
// the file was reached.
constexpr uint32_t kShortRead = 100;
// The I/O result of an operation on a file that is not open.
constexpr uint32_t kFileNotOpen = 103;
// The I/O result of a close that the system refused, whatever it reported.
constexpr uint32_t kCloseRefused = 1;

class InputFile {
 public:
  // Makes offset the current position; a position beyond the end is no
  // failure, only a read made there is.
  virtual void Seek(uint32_t offset) = 0;
  // One read request for the byte at the current position.
  virtual uint8_t ReadByte() = 0;
  // One read request for count bytes, not repeated when it falls short.
  virtual void ReadBlock(uint8_t* buffer, uint32_t count) = 0;
  virtual uint32_t Position() = 0;

 protected:
  ~InputFile() = default;
};

// The file that the program opens by name.
class HostFile final : public InputFile {
 public:
  // Opens an existing file for reading only, at position 0. On failure the
  // file stays closed and the I/O result is the system's error number.
  void Open(const std::string& name);
  // On refusal the I/O result is 1; the file counts as closed either way.
  void Close();

  void Seek(uint32_t offset) override;
  uint8_t ReadByte() override;
  void ReadBlock(uint8_t* buffer, uint32_t count) override;
  uint32_t Position() override;

 private:
  bool open_ = false;
  platform::FileHandle handle_ = 0;
};

}  // namespace trelvik

#endif  // TRELVIK_RUNTIME_INPUT_FILE_H_
