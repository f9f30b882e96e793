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

// Puzzle lists often write an empty cell as '0'; the position box of the
// window skips it instead.
int lineCellValue(int byte) {
  return byte == '0' ? 0 : cellCharacterValue(byte);
}

bool isBlank(int byte) {
  return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\v' || byte == '\f';
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
  for (;;) {
    int byte = nextByte(reader);
    if (byte < 0) return false;
    ++reader.lineNumber;
    bool comment = byte == '#';
    bool blank = true;
    int count = 0;
    for (; byte >= 0 && byte != '\n'; byte = nextByte(reader)) {
      if (comment) continue;
      if (!isBlank(byte)) blank = false;
      if (count == kCellCount) continue;
      const int value = lineCellValue(byte);
      if (value >= 0) cells[count++] = value;
    }
    if (comment || blank) continue;
    *cellCount = count;
    *lineNumber = reader.lineNumber;
    return true;
  }
}
