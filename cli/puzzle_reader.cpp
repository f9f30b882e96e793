// Reads a puzzle list one line at a time, lines of any length and any bytes.
#include "cli/puzzle_reader.h"

#include <cerrno>

#include "cli/arriving_input.h"
#include "model/cell_characters.h"

namespace {

// The next byte of the stream, or -1 at its end or when reading failed.
int nextByte(PuzzleReader& reader) {
  if (reader.position == reader.length) {
    if (reader.file == nullptr) return -1;
    const int count = readArrivedInput(reader.file, reader.buffer, PuzzleReader::kBufferSize);
    reader.position = 0;
    reader.length = count > 0 ? count : 0;
    reader.shortRead = count < PuzzleReader::kBufferSize;
    if (count <= 0) {
      if (count < 0) reader.readError = errno != 0 ? errno : EIO;
      reader.file = nullptr;
      return -1;
    }
  }
  return reader.buffer[reader.position++];
}

// Nothing is left in the buffer and the next read would wait for more.
bool inputPaused(const PuzzleReader& reader) {
  return reader.position == reader.length && reader.file != nullptr && reader.shortRead &&
         inputWouldWait(reader.file);
}

constexpr signed char kBlank = -2;
constexpr signed char kCommentStart = -3;

// What each byte of a line stands for: a cell's value, -1 for a byte that is
// skipped, kBlank for white space, which also leaves a line blank, or
// kCommentStart for '#'. Puzzle lists often write an empty cell as '0'; the
// position box of the window skips it instead.
struct ByteValues {
  signed char value[256];
};

constexpr ByteValues makeByteValues() {
  ByteValues table{};
  for (int byte = 0; byte < 256; ++byte) {
    const bool blank = byte == ' ' || byte == '\t' || byte == '\v' || byte == '\f';
    table.value[byte] = static_cast<signed char>(blank         ? kBlank
                                                 : byte == '#' ? kCommentStart
                                                 : byte == '0' ? 0
                                                               : cellCharacterValue(byte));
  }
  return table;
}

constexpr ByteValues kByteValues = makeByteValues();

// The usual line of a list, 81 cell characters and its LF or CR, read
// straight from the buffer when all of it is there. False, reading nothing,
// for any other line.
bool readPlainLine(PuzzleReader& reader, int cells[kCellCount]) {
  if (reader.length - reader.position <= kCellCount) return false;
  const unsigned char* line = reader.buffer + reader.position;
  if (line[kCellCount] != '\n' && line[kCellCount] != '\r') return false;
  // Skipped and blank bytes are negative and leave their sign here.
  int values = 0;
  for (int c = 0; c < kCellCount; ++c) {
    cells[c] = kByteValues.value[line[c]];
    values |= cells[c];
  }
  if (values < 0) return false;
  reader.afterCarriageReturn = line[kCellCount] == '\r';
  reader.position += kCellCount + 1;
  return true;
}

}  // namespace

void openPuzzleReader(PuzzleReader& reader, std::FILE* file) {
  reader.file = file;
  reader.length = 0;
  reader.position = 0;
  reader.lineNumber = 0;
  reader.shortRead = true;
  reader.afterCarriageReturn = false;
  reader.readError = 0;
  reader.restLength = 0;
}

ReadResult readPuzzleLine(PuzzleReader& reader, bool mayPause, int cells[kCellCount],
                          int* cellCount, long long* lineNumber) {
  for (;;) {
    if (mayPause && inputPaused(reader)) return kInputPaused;
    reader.restLength = 0;
    if (!reader.afterCarriageReturn && readPlainLine(reader, cells)) {
      *cellCount = kCellCount;
      *lineNumber = ++reader.lineNumber;
      return kLineRead;
    }
    int byte = nextByte(reader);
    if (byte < 0) return reader.readError != 0 ? kReadFailed : kInputEnded;
    if (reader.afterCarriageReturn) {
      reader.afterCarriageReturn = false;
      if (byte == '\n') continue;
    }
    ++reader.lineNumber;
    bool blank = true;
    int count = 0;
    for (; byte >= 0 && byte != '\n' && byte != '\r'; byte = nextByte(reader)) {
      const int value = kByteValues.value[byte];
      if (value == kCommentStart) break;
      if (value != kBlank) blank = false;
      if (value >= 0 && count < kCellCount) {
        cells[count++] = value;
      } else if (count == kCellCount && reader.restLength < PuzzleReader::kRestSize) {
        reader.rest[reader.restLength++] = char(byte);
      }
    }
    while (byte >= 0 && byte != '\n' && byte != '\r') byte = nextByte(reader);
    if (reader.readError != 0) return kReadFailed;
    reader.afterCarriageReturn = byte == '\r';
    if (blank) continue;
    *cellCount = count;
    *lineNumber = reader.lineNumber;
    return kLineRead;
  }
}
