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

// No whole line is left in the buffer, and the next read would wait for
// more: a line that has begun to arrive waits for its end after the lines
// before it are answered.
bool inputPaused(const PuzzleReader& reader) {
  if (reader.file == nullptr || !reader.shortRead) return false;
  for (int at = reader.position; at < reader.length; ++at)
    if (reader.buffer[at] == '\n' || reader.buffer[at] == '\r') return false;
  return inputWouldWait(reader.file);
}

// The usual line of a list, 81 cell characters and its LF or CR, read
// straight from the buffer when all of it is there. False, reading nothing,
// for any other line.
bool readPlainLine(PuzzleReader& reader, PuzzleLine& line) {
  if (reader.length - reader.position <= kCellCount) return false;
  const unsigned char* text = reader.buffer + reader.position;
  if (text[kCellCount] != '\n' && text[kCellCount] != '\r') return false;
  std::int8_t values[kCellCount];
  for (int c = 0; c < kCellCount; ++c) {
    const int value = text[c] == '0' ? 0 : cellCharacterValue(text[c]);
    if (value < 0) return false;
    values[c] = std::int8_t(value);
  }
  readCellLine(values, line);
  reader.afterCarriageReturn = text[kCellCount] == '\r';
  reader.position += kCellCount + 1;
  return true;
}

// The lines held make no grid: each is read on its own, before what comes
// next.
void releaseHeld(PuzzleReader& reader) {
  for (int i = 0; i < reader.heldCount; ++i) reader.queue[reader.queued++] = reader.held[i];
  reader.heldCount = 0;
  reader.heldRows = 0;
}

// Holds a row or a border of a grid on nine lines; true when the row is the
// ninth, and line the grid, which has the number of its first row.
bool holdLine(PuzzleReader& reader, LineKind kind, const std::uint16_t groups[kRowGroups],
              PuzzleLine& line) {
  if (reader.heldCount == PuzzleReader::kHeldLines) releaseHeld(reader);
  if (kind == LineKind::kRow && reader.heldRows == 0) reader.firstRowNumber = line.lineNumber;
  reader.held[reader.heldCount++] = line;
  if (kind != LineKind::kRow) return false;
  for (int i = 0; i < kRowGroups; ++i) reader.rows[reader.heldRows][i] = groups[i];
  if (++reader.heldRows < kRowGroups) return false;
  line.lineNumber = reader.firstRowNumber;
  line.cellCount = kCellCount;
  line.hasPosition = false;
  readGroupGrid(&reader.rows[0][0], line.puzzle);
  reader.heldCount = 0;
  reader.heldRows = 0;
  reader.afterGrid = true;
  return true;
}

// What a line read does: true when it is to be returned now, false when it
// was held, skipped or queued after the held lines it ends.
bool takeLine(PuzzleReader& reader, LineKind kind, const std::uint16_t groups[kRowGroups],
              PuzzleLine& line) {
  // A finished grid's bottom border, and any border lines after it.
  if (kind == LineKind::kRule && reader.afterGrid) return false;
  reader.afterGrid = false;
  if (kind == LineKind::kRule || kind == LineKind::kRow)
    return holdLine(reader, kind, groups, line);
  if (reader.heldCount == 0) return kind == LineKind::kEntry;
  releaseHeld(reader);
  if (kind == LineKind::kEntry) reader.queue[reader.queued++] = line;
  return false;
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
  reader.heldCount = 0;
  reader.heldRows = 0;
  reader.afterGrid = false;
  reader.queued = 0;
  reader.queueNext = 0;
}

ReadResult readPuzzleLine(PuzzleReader& reader, bool mayPause, PuzzleLine& line) {
  const std::uint16_t noGroups[kRowGroups] = {};
  for (;;) {
    if (reader.queueNext < reader.queued) {
      line = reader.queue[reader.queueNext++];
      return kLineRead;
    }
    reader.queued = reader.queueNext = 0;
    if (!reader.afterCarriageReturn && readPlainLine(reader, line)) {
      line.lineNumber = ++reader.lineNumber;
      if (takeLine(reader, LineKind::kEntry, noGroups, line)) return kLineRead;
      continue;
    }
    if (mayPause && inputPaused(reader)) return kInputPaused;
    int byte = nextByte(reader);
    if (byte < 0) {
      if (reader.heldCount > 0) {
        releaseHeld(reader);
        continue;
      }
      return reader.readError != 0 ? kReadFailed : kInputEnded;
    }
    if (reader.afterCarriageReturn) {
      reader.afterCarriageReturn = false;
      if (byte == '\n') continue;
    }
    ++reader.lineNumber;
    LineScan& scan = reader.scan;
    startLineScan(scan);
    for (; byte >= 0 && byte != '\n' && byte != '\r' && byte != '#'; byte = nextByte(reader))
      scanLineByte(scan, static_cast<unsigned char>(byte));
    while (byte >= 0 && byte != '\n' && byte != '\r') byte = nextByte(reader);
    reader.afterCarriageReturn = byte == '\r';
    if (reader.readError != 0) {
      releaseHeld(reader);
      continue;
    }
    std::uint16_t groups[kRowGroups];
    const LineKind kind = endLineScan(scan, line, groups);
    line.lineNumber = reader.lineNumber;
    if (takeLine(reader, kind, groups, line)) return kLineRead;
  }
}
