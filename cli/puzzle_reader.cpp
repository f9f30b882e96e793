// Reads a puzzle list one line at a time, lines of any length and any bytes.
#include "cli/puzzle_reader.h"

#include "model/cell_characters.h"

namespace {

// The next byte of the stream, or -1 at its end.
int nextByte(PuzzleReader& reader) {
  if (reader.position == reader.length) {
    if (reader.file == nullptr) return -1;
    reader.length = int(std::fread(reader.buffer, 1, PuzzleReader::kBufferSize, reader.file));
    reader.position = 0;
    if (reader.length == 0) return -1;
  }
  return reader.buffer[reader.position++];
}

constexpr signed char kBlank = -2;

// What each byte of a line stands for: a cell's value, -1 for a byte that is
// skipped, or kBlank for white space, which also leaves a line blank. Puzzle
// lists often write an empty cell as '0'; the position box of the window
// skips it instead.
struct ByteValues {
  signed char value[256];
};

constexpr ByteValues makeByteValues() {
  ByteValues table{};
  for (int byte = 0; byte < 256; ++byte) {
    const bool blank = byte == ' ' || byte == '\t' || byte == '\r' || byte == '\v' || byte == '\f';
    table.value[byte] = static_cast<signed char>(blank         ? kBlank
                                                 : byte == '0' ? 0
                                                               : cellCharacterValue(byte));
  }
  return table;
}

constexpr ByteValues kByteValues = makeByteValues();

// The usual line of a list, 81 cell characters and its end, read straight
// from the buffer when all of it is there. False, reading nothing, for any
// other line.
bool readPlainLine(PuzzleReader& reader, int cells[kCellCount]) {
  if (reader.length - reader.position <= kCellCount) return false;
  const unsigned char* line = reader.buffer + reader.position;
  if (line[kCellCount] != '\n') return false;
  // Skipped and blank bytes are negative and leave their sign here.
  int values = 0;
  for (int c = 0; c < kCellCount; ++c) {
    cells[c] = kByteValues.value[line[c]];
    values |= cells[c];
  }
  if (values < 0) return false;
  reader.position += kCellCount + 1;
  return true;
}

}  // namespace

void openPuzzleReader(PuzzleReader& reader, std::FILE* file) {
  reader.file = file;
  reader.length = 0;
  reader.position = 0;
  reader.lineNumber = 0;
}

bool readPuzzleLine(PuzzleReader& reader, int cells[kCellCount], int* cellCount,
                    long long* lineNumber) {
  if (readPlainLine(reader, cells)) {
    *cellCount = kCellCount;
    *lineNumber = ++reader.lineNumber;
    return true;
  }
  for (;;) {
    int byte = nextByte(reader);
    if (byte < 0) return false;
    ++reader.lineNumber;
    bool comment = byte == '#';
    bool blank = true;
    int count = 0;
    for (; byte >= 0 && byte != '\n'; byte = nextByte(reader)) {
      if (comment) continue;
      const int value = kByteValues.value[byte];
      if (value != kBlank) blank = false;
      if (value >= 0 && count < kCellCount) cells[count++] = value;
    }
    if (comment || blank) continue;
    *cellCount = count;
    *lineNumber = reader.lineNumber;
    return true;
  }
}
