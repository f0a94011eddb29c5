// JPEG pictures (tilesets and backgrounds).

#include "picture_fuzzer.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::StartPictures(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::DecodeOne("orange.jpg", data, size);
  return 0;
}
