// Stands in for ffmpeg.exe when the example batch file runs under Wine,
// where there is no Windows ffmpeg. It appends its command line to the file
// named by FFMPEG_STUB_LOG, for the test to check what the batch file asked
// for, and writes the output file, its last argument after "file:". Like
// ffmpeg on a file it cannot decode, it fails on an input whose name holds
// "cut-short", and then writes nothing.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  const char* log_name = std::getenv("FFMPEG_STUB_LOG");
  if (log_name == nullptr || argc < 2) return 3;
  std::FILE* log = std::fopen(log_name, "ab");
  if (log == nullptr) return 3;
  std::fprintf(log, "%s\r\n", GetCommandLineA());
  std::fclose(log);

  const char* input = "";
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "-i") == 0) input = argv[i + 1];
  if (std::strstr(input, "cut-short") != nullptr) return 1;

  const char* output = argv[argc - 1];
  if (std::strncmp(output, "file:", 5) == 0) output += 5;
  std::FILE* video = std::fopen(output, "wb");
  if (video == nullptr) return 4;
  std::fputs("a 3GP file\n", video);
  return std::fclose(video) == 0 ? 0 : 4;
}
