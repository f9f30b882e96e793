// Feeds arbitrary bytes to vantric-solve's line reader and checks every line
// it returns against a plain reading of the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "cli/puzzle_reader.h"

namespace {

PuzzleReader reader;

int expectedCellValue(std::uint8_t byte) {
  if (byte >= '1' && byte <= '9') return byte - '0';
  if (byte == '0' || byte == '.' || byte == '*') return 0;
  return -1;
}

bool isBlankByte(std::uint8_t byte) {
  return byte == ' ' || byte == '\t' || byte == '\v' || byte == '\f';
}

bool endsLine(std::uint8_t byte) {
  return byte == '\n' || byte == '\r';
}

// Reads stream through the reader; the lines of data start at stream line
// firstNumber.
void checkStream(const std::vector<char>& stream, const std::uint8_t* data, std::size_t size,
                 long long firstNumber) {
  // The reader reads the file's descriptor, which a memory stream lacks.
  std::FILE* file = std::tmpfile();
  if (file == nullptr || std::fwrite(stream.data(), 1, stream.size(), file) != stream.size() ||
      std::fflush(file) != 0)
    std::abort();
  std::rewind(file);
  openPuzzleReader(reader, file);
  int cells[kCellCount];
  int cellCount = 0;
  long long lineNumber = 0;
  long long number = firstNumber;
  for (std::size_t at = 0; at < size; ++number) {
    std::size_t end = at;
    while (end < size && !endsLine(data[end])) ++end;
    int expected[kCellCount];
    int expectedCount = 0;
    bool blank = true;
    for (std::size_t i = at; i < end && data[i] != '#'; ++i) {
      if (!isBlankByte(data[i])) blank = false;
      const int value = expectedCellValue(data[i]);
      if (value >= 0 && expectedCount < kCellCount) expected[expectedCount++] = value;
    }
    if (!blank) {
      if (readPuzzleLine(reader, false, cells, &cellCount, &lineNumber) != kLineRead) std::abort();
      if (lineNumber != number || cellCount != expectedCount) std::abort();
      if (std::memcmp(cells, expected, sizeof(int) * std::size_t(expectedCount)) != 0) std::abort();
    }
    const bool carriageReturnLineFeed =
        end + 1 < size && data[end] == '\r' && data[end + 1] == '\n';
    at = end + (carriageReturnLineFeed ? 2 : 1);
  }
  if (readPuzzleLine(reader, false, cells, &cellCount, &lineNumber) != kInputEnded) std::abort();
  std::fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::vector<char> stream(data, data + size);
  checkStream(stream, data, size, 1);

  // One input in eight is read again behind a comment line that ends just
  // before the reader's buffer does, so that its bytes cross from one fill of
  // the buffer to the next; reading the comment takes most of the run time.
  if (data[0] % 8 != 0) return 0;
  const std::size_t padding = PuzzleReader::kBufferSize - 1 - data[size - 1] % 128;
  stream.assign(padding, 'x');
  stream[0] = '#';
  stream.push_back('\n');
  stream.insert(stream.end(), data, data + size);
  checkStream(stream, data, size, 2);
  return 0;
}
