// The host's file behind InputFile.
#include "runtime/input_file.h"

#include "runtime/runtime.h"

namespace trelvik {

void HostFile::Open(const std::string& name) {
  if (const uint32_t error = platform::FileOpen(name, &handle_); error != 0) {
    SetIoResult(error);
    return;
  }
  open_ = true;
}

void HostFile::Close() {
  if (!open_) {
    SetIoResult(kFileNotOpen);
    return;
  }
  open_ = false;
  if (!platform::FileClose(handle_)) SetIoResult(kCloseRefused);
}

void HostFile::Seek(uint32_t offset) {
  if (!open_) {
    SetIoResult(kFileNotOpen);
    return;
  }
  if (const uint32_t error = platform::FileSeek(handle_, offset); error != 0)
    SetIoResult(error);
}

uint8_t HostFile::ReadByte() {
  uint8_t byte = 0;
  ReadBlock(&byte, 1);
  return byte;
}

void HostFile::ReadBlock(uint8_t* buffer, uint32_t count) {
  if (!open_) {
    SetIoResult(kFileNotOpen);
    return;
  }
  uint32_t delivered = 0;
  if (const uint32_t error =
          platform::FileRead(handle_, buffer, count, &delivered);
      error != 0) {
    SetIoResult(error);
  } else if (delivered < count) {
    SetIoResult(kShortRead);
  }
}

uint32_t HostFile::Position() {
  if (!open_) {
    SetIoResult(kFileNotOpen);
    return 0;
  }
  uint32_t position = 0;
  if (const uint32_t error = platform::FilePosition(handle_, &position);
      error != 0)
    SetIoResult(error);
  return position;
}

}  // namespace trelvik
