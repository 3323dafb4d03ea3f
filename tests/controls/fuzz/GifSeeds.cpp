// Writes the GIF fuzzer's seed inputs (after the frame byte, an animated GIF and a PNG signature) into the corpus
// folder given as the only argument.
#include "tests/controls/core/GifFixture.h"
#include "tests/controls/fuzz/SeedWriter.h"

int main(int argc, char** argv) {
  const gif_fixture::TRgb table[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  const std::vector<uint8_t> gif = gif_fixture::AnimatedGif(5, 3, table, {1, 2, 3});
  const std::string png = "\x89PNG\r\n\x1A\n";
  return WriteSeeds(argc, argv, {"\x02" + std::string(gif.begin(), gif.end()), "\x01" + png}, ".bin");
}
