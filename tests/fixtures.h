// Hand-built container bytes for the tests: the few header fields trelvik
// reads, laid out where real files keep them.
#ifndef TRELVIK_TESTS_FIXTURES_H_
#define TRELVIK_TESTS_FIXTURES_H_

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace trelvik::testing {

// Bytes given by value, for readable fixtures: Bytes({0x00, 0x00, 0x01, 0xB3}).
std::string Bytes(std::initializer_list<uint8_t> values);

// file with bytes written at offset, zero-filled up to it when the file is
// shorter.
std::string Put(std::string file, size_t offset, std::string_view bytes);

// The start of a RIFF AVI file: the header list with its main AVI header,
// whose dwWidth and dwHeight stand at offsets 64 and 68, then an empty movi
// list (100 bytes).
std::string AviFile(uint32_t width, uint32_t height);

// An MPEG-2 program stream: a pack header at 0 and a video sequence header
// whose code starts at code_at, with the 12-bit sizes packed into the three
// bytes after it. A code_at of 0 replaces the pack header: a video elementary
// stream.
std::string MpegStream(uint16_t width, uint16_t height, size_t code_at = 100);

// The four bytes of the MPEG video sequence header code, 00 00 01 B3.
std::string SequenceHeaderCode();

// A program stream of size bytes: its pack start code, then zeros, with bytes
// put in at offset. For placing a sequence header exactly.
std::string ZeroStream(size_t size, size_t offset, std::string_view bytes);

}  // namespace trelvik::testing

#endif  // TRELVIK_TESTS_FIXTURES_H_
