// The search's propagation over per-digit cell sets.
#include "solver/propagation.h"

#include <bit>
#include <cstdint>

#include "model/tables.h"
#include "solver/word_pair.h"

// Where GCC or Clang build for x86, the hidden pass has a second search for
// its singles, written for AVX2 and chosen at run time.
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__)) && !defined(VANTRIC_NO_WIDE)
#include <immintrin.h>
#define VANTRIC_WIDE_HIDDEN_PASS 1
#endif

namespace {

using Word = std::uint64_t;

// Cell (row r, column c) is bit 10r + c of word 0 for rows 0-5 and bit
// 10(r-6) + c of word 1 for rows 6-8: bits follow cell order, each band of
// three rows is thirty bits, and bit 9 of every row is a spare guard bit.
constexpr int kRowBits = 10;

struct Geometry {
  int word[kCellCount];
  Word bit[kCellCount];
  // The cell itself, and its twenty peers, in both words.
  Word self[kCellCount][2];
  Word peers[kCellCount][2];
  // Both together.
  Word reach[kCellCount][2];
  // Cell index of each bit position, word 0 then word 1.
  signed char cellAt[128];
  Word allCells[2];
};

constexpr Geometry makeGeometry() {
  Geometry g{};
  for (int i = 0; i < 128; ++i) g.cellAt[i] = -1;
  for (int c = 0; c < kCellCount; ++c) {
    const int row = rowOf(c);
    g.word[c] = row < 6 ? 0 : 1;
    const int position = (row % 6) * kRowBits + columnOf(c);
    g.bit[c] = Word{1} << position;
    g.cellAt[g.word[c] * 64 + position] = static_cast<signed char>(c);
    g.allCells[g.word[c]] |= g.bit[c];
  }
  for (int c = 0; c < kCellCount; ++c) {
    for (int p = 0; p < kCellCount; ++p) {
      if (c == p)
        g.self[c][g.word[p]] |= g.bit[p];
      else if (rowOf(c) == rowOf(p) || columnOf(c) == columnOf(p) || boxOf(c) == boxOf(p))
        g.peers[c][g.word[p]] |= g.bit[p];
    }
    for (int w = 0; w < 2; ++w) g.reach[c][w] = g.self[c][w] | g.peers[c][w];
  }
  return g;
}

constexpr Geometry kGeometry = makeGeometry();

// Per-row and per-band constants of one word; word 0 holds six rows (two
// bands), word 1 three rows (one band).
struct WordMasks {
  Word rowFields;     // the nine cell bits of every row
  Word rowGuards;     // bit 9 of every row
  Word rowLows;       // bit 0 of every row
  Word bandFirstRow;  // the first row of every band
  Word segmentLows;   // bits 0, 3 and 6 of the first row of every band
  Word columnSpread;  // bit 0 of every row, to copy nine bits to all rows
};

constexpr WordMasks makeWordMasks(int rows) {
  WordMasks m{};
  for (int r = 0; r < rows; ++r) {
    m.rowFields |= Word{0x1FF} << (r * kRowBits);
    m.rowGuards |= Word{0x200} << (r * kRowBits);
    m.rowLows |= Word{1} << (r * kRowBits);
    m.columnSpread |= Word{1} << (r * kRowBits);
    if (r % 3 == 0) {
      m.bandFirstRow |= Word{0x1FF} << (r * kRowBits);
      m.segmentLows |= Word{0x49} << (r * kRowBits);
    }
  }
  return m;
}

constexpr WordMasks kWordMasks[2] = {makeWordMasks(6), makeWordMasks(3)};

// The cells of x that are the only place in their row for this digit.
inline Word rowSingles(Word x, const WordMasks& m) {
  // Within each row: x & (x - 1), with the guard bit stopping the borrow.
  const Word rest = x & ((x | m.rowGuards) - m.rowLows);
  const Word occupied = (x + m.rowFields) & m.rowGuards;
  const Word crowded = (rest + m.rowFields) & m.rowGuards;
  const Word single = occupied & ~crowded;
  return x & ((single >> 9) * 0x1FF);
}

// The three rows of every band folded onto its first row: columns seen at
// least once, and at least twice.
struct BandFold {
  Word once;
  Word twice;
};

inline BandFold foldBands(Word x, const WordMasks& m) {
  const Word r0 = x & m.bandFirstRow;
  const Word r1 = (x >> kRowBits) & m.bandFirstRow;
  const Word r2 = (x >> (2 * kRowBits)) & m.bandFirstRow;
  return {r0 | r1 | r2, (r0 & r1) | ((r0 | r1) & r2)};
}

// The cells of x that are the only place in their box for this digit.
inline Word boxSingles(Word x, const BandFold& fold, const WordMasks& m) {
  // The columns seen in each three-column segment of the folded band, added
  // up in the segment's two low bits; a box holds exactly one cell when
  // that sum is 1 and its column was seen once.
  const Word seen = (fold.once & m.segmentLows) + ((fold.once >> 1) & m.segmentLows) +
                    ((fold.once >> 2) & m.segmentLows);
  const Word crowded = (fold.twice | (fold.twice >> 1) | (fold.twice >> 2)) & m.segmentLows;
  const Word one = seen & ~(seen >> 1) & m.segmentLows & ~crowded;
  const Word three = one * 7;
  return x & (three | (three << kRowBits) | (three << (2 * kRowBits)));
}

// The empty cells that are the only place for digit d in some row, column or
// box. Word 1 uses the masks of word 0: its rows 3-5 are empty and change
// nothing, and the same operations on both words let them run side by side.
inline void findHiddenSingles(const Word x[2], Word hidden[2]) {
  const WordMasks& m = kWordMasks[0];
  BandFold fold[2];
  for (int w = 0; w < 2; ++w) fold[w] = foldBands(x[w], m);
  // Columns: the three bands' folds, merged.
  const Word o0 = fold[0].once & 0x1FF;
  const Word o1 = fold[0].once >> (3 * kRowBits);
  const Word o2 = fold[1].once;
  const Word twice = (fold[0].twice & 0x1FF) | (fold[0].twice >> (3 * kRowBits)) | fold[1].twice |
                     (o0 & o1) | ((o0 | o1) & o2);
  const Word columns = ((o0 | o1 | o2) & ~twice) * m.columnSpread;
  for (int w = 0; w < 2; ++w)
    hidden[w] = rowSingles(x[w], m) | boxSingles(x[w], fold[w], m) | (x[w] & columns);
}

inline CellIndex cellAt(int word, int position) {
  return kGeometry.cellAt[word * 64 + position];
}

// For each cell of cells, bit k of the index of the one digit set of sets
// that holds it.
inline void readDigitIndex(const Word sets[9][2], const Word cells[2], Word indexBits[4][2]) {
  for (int w = 0; w < 2; ++w) {
    indexBits[0][w] = (sets[1][w] | sets[3][w] | sets[5][w] | sets[7][w]) & cells[w];
    indexBits[1][w] = (sets[2][w] | sets[3][w] | sets[6][w] | sets[7][w]) & cells[w];
    indexBits[2][w] = (sets[4][w] | sets[5][w] | sets[6][w] | sets[7][w]) & cells[w];
    indexBits[3][w] = sets[8][w] & cells[w];
  }
}

// Reads a full frame's grid off the digits' sets into values. False when
// some cell is in no set or in several: a starting grid that repeated a
// digit, which leaves no true value for the cells around the repeat.
bool writeValues(SolverFrame& frame) {
  Word once[2] = {0, 0};
  Word twice[2] = {0, 0};
  for (int d = 0; d < 9; ++d) {
    for (int w = 0; w < 2; ++w) {
      const Word cells = frame.digitCells[d][w];
      twice[w] |= once[w] & cells;
      once[w] |= cells;
      for (Word rest = cells; rest != 0; rest &= rest - 1)
        frame.values[cellAt(w, std::countr_zero(rest))] = d + 1;
    }
  }
  return ((twice[0] | twice[1]) == 0 && once[0] == kGeometry.allCells[0] &&
          once[1] == kGeometry.allCells[1]);
}

// Subtracts one from the candidate counts of cells, counts kept as four bit
// planes: from and to may be the same planes.
inline void subtractOne(const Word from[4][2], Word to[4][2], WordPair cells) {
  WordPair borrow = cells;
  for (int k = 0; k < 4; ++k) {
    const WordPair before = loadPair(from[k]);
    storePair(to[k], before ^ borrow);
    borrow = andNot(borrow, before);
  }
}

// Places a digit into an empty cell. False when the cell no longer allows
// it: the frame is then a dead end.
inline bool placeDigit(SolverFrame& frame, CellIndex cell, int digit) {
  Word* digitWords = frame.digitCells[digit - 1];
  const WordPair self = loadPair(kGeometry.self[cell]);
  const WordPair peers = loadPair(kGeometry.peers[cell]);
  const WordPair cells = loadPair(digitWords);
  const WordPair empty = loadPair(frame.emptyCells);
  if (isEmpty(cells & empty & self)) [[unlikely]]
    return false;
  // The empty peers that allowed the digit lose one candidate each: a
  // subtraction of one in the bit planes. The cell stays in the digit's set
  // only, as its value; the planes count empty cells only.
  storePair(digitWords, andNot(cells, peers));
  storePair(frame.emptyCells, andNot(empty, self));
  subtractOne(frame.candidateCount, frame.candidateCount, cells & empty & peers);
  --frame.emptyCount;
  return true;
}

// Places each of the cells of one word, with the digit whose index bits
// (read off the digits' sets beforehand) it has. False when a cell refuses.
inline bool placeIndexedCells(SolverFrame& frame, int word, Word cells, const Word indexBits[4]) {
  for (Word rest = cells; rest != 0; rest &= rest - 1) {
    const int position = std::countr_zero(rest);
    int digit = 1;
    for (int k = 0; k < 4; ++k) digit += int((indexBits[k] >> position) & 1) << k;
    if (!placeDigit(frame, cellAt(word, position), digit)) [[unlikely]]
      return false;
  }
  return true;
}

// Places the naked singles of one word of a round. The word is a constant,
// so that the compiler keeps everything in registers.
template <int kWord>
inline bool placeSinglesOfWord(SolverFrame& frame, Word singles) {
  if (singles == 0) return true;
  // Bit k of each single's digit index, read off the digits' sets before
  // the first placement changes them.
  Word indexBits[4] = {0, 0, 0, 0};
  for (int d = 1; d < 9; ++d) {
    const Word cells = frame.digitCells[d][kWord] & singles;
    for (int k = 0; k < 4; ++k)
      if (d & (1 << k)) indexBits[k] |= cells;
  }
  // An earlier single of this round may have taken a cell's only digit:
  // placeDigit then refuses.
  return placeIndexedCells(frame, kWord, singles, indexBits);
}

// One naked-single round: finds the cells left with no candidate (a dead
// end) or with one, and fills the latter. Sets placed when it filled a cell.
bool fillNakedSinglesOnce(SolverFrame& frame, bool& placed) {
  Word singles[2];
  Word zeros = 0;
  for (int w = 0; w < 2; ++w) {
    const Word high =
        frame.candidateCount[1][w] | frame.candidateCount[2][w] | frame.candidateCount[3][w];
    zeros |= frame.emptyCells[w] & ~(frame.candidateCount[0][w] | high);
    singles[w] = frame.emptyCells[w] & frame.candidateCount[0][w] & ~high;
  }
  placed = false;
  if (zeros != 0) return false;
  if ((singles[0] | singles[1]) == 0) return true;

  placed = true;
  return placeSinglesOfWord<0>(frame, singles[0]) && placeSinglesOfWord<1>(frame, singles[1]);
}

bool fillNakedSingles(SolverFrame& frame, bool& placed) {
  placed = false;
  bool placedNow = true;
  while (placedNow) {
    if (!fillNakedSinglesOnce(frame, placedNow)) return false;
    placed = placed || placedNow;
  }
  return true;
}

// The hidden singles of every digit, judged from the same sets. False when
// there is none.
inline bool findAllHiddenSingles(const SolverFrame& frame, Word hidden[9][2]) {
  Word any = 0;
  for (int d = 0; d < 9; ++d) {
    const Word x[2] = {frame.digitCells[d][0] & frame.emptyCells[0],
                       frame.digitCells[d][1] & frame.emptyCells[1]};
    findHiddenSingles(x, hidden[d]);
    any |= hidden[d][0] | hidden[d][1];
  }
  return any != 0;
}

// Writes the hidden singles that one pass found; false on a dead end.
bool writeHiddenSingles(SolverFrame& frame, const Word hidden[9][2]) {
  // A cell that is the only place for two digits is a dead end.
  Word once[2] = {0, 0};
  Word twice[2] = {0, 0};
  for (int d = 0; d < 9; ++d) {
    for (int w = 0; w < 2; ++w) {
      twice[w] |= once[w] & hidden[d][w];
      once[w] |= hidden[d][w];
    }
  }
  if ((twice[0] | twice[1]) != 0) [[unlikely]]
    return false;
  Word indexBits[4][2];
  readDigitIndex(hidden, once, indexBits);
  // A write that the cell no longer allows clashes with an earlier write of
  // this pass: the same digit in one of its units.
  for (int w = 0; w < 2; ++w) {
    const Word bits[4] = {indexBits[0][w], indexBits[1][w], indexBits[2][w], indexBits[3][w]};
    if (!placeIndexedCells(frame, w, once[w], bits)) [[unlikely]]
      return false;
  }
  return true;
}

#ifdef VANTRIC_WIDE_HIDDEN_PASS
#define VANTRIC_AVX2 __attribute__((target("avx2")))

// Words 0 and 1 of digits d and d + 1, with the empty cells only.
VANTRIC_AVX2 inline __m256i loadTwoDigits(const SolverFrame& frame, int d, __m256i empty) {
  return _mm256_and_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(frame.digitCells[d])),
                          empty);
}

// Thirty bits a 64-bit lane in low and high to 32-bit lanes, low's and
// high's taking turns.
VANTRIC_AVX2 inline __m256i pairUp(__m256i low, __m256i high) {
  return _mm256_or_si256(low, _mm256_slli_epi64(high, 32));
}

// Three rows of 16-bit lanes to their band's thirty bits in 32-bit lanes:
// lanes 0-3 of each half (unpackLow) or lanes 4-7 (not unpackLow).
VANTRIC_AVX2 inline __m256i bandOfRows(const __m256i rows[3], bool unpackLow) {
  const __m256i zero = _mm256_setzero_si256();
  __m256i band = zero;
  for (int i = 0; i < 3; ++i) {
    const __m256i wide =
        unpackLow ? _mm256_unpacklo_epi16(rows[i], zero) : _mm256_unpackhi_epi16(rows[i], zero);
    band = _mm256_or_si256(band, _mm256_sll_epi32(wide, _mm_cvtsi32_si128(i * kRowBits)));
  }
  return band;
}

// Word 0 and word 1 of four digits, one digit a 64-bit lane, stored as the
// four digits' pairs.
VANTRIC_AVX2 inline void storeFourDigits(__m256i first, __m256i second, Word out[4][2]) {
  const __m256i even = _mm256_unpacklo_epi64(first, second);
  const __m256i odd = _mm256_unpackhi_epi64(first, second);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out[0]),
                      _mm256_permute2x128_si256(even, odd, 0x20));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out[2]),
                      _mm256_permute2x128_si256(even, odd, 0x31));
}

// The same singles with AVX2, for all nine digits at once: each row of the
// grid becomes a register of sixteen 16-bit lanes, one per digit (seven
// stay empty), holding the row's empty cells that allow the digit. A row,
// a column and a box then come down to the same operations on every lane.
// The lanes hold the digits in the order 0 4 1 5 8 - - - 2 6 3 7 - - - -,
// the order the packing and unpacking below give without shuffles.
VANTRIC_AVX2 bool findAllHiddenSinglesWide(const SolverFrame& frame, Word hidden[9][2]) {
  const __m256i empty = _mm256_broadcastsi128_si256(
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(frame.emptyCells)));
  // Word 0 and word 1 of digits 0-3 and 4-7, one digit a 64-bit lane.
  const __m256i p01 = loadTwoDigits(frame, 0, empty);
  const __m256i p23 = loadTwoDigits(frame, 2, empty);
  const __m256i p45 = loadTwoDigits(frame, 4, empty);
  const __m256i p67 = loadTwoDigits(frame, 6, empty);
  const __m256i first03 = _mm256_permute4x64_epi64(_mm256_unpacklo_epi64(p01, p23), 0xD8);
  const __m256i second03 = _mm256_permute4x64_epi64(_mm256_unpackhi_epi64(p01, p23), 0xD8);
  const __m256i first47 = _mm256_permute4x64_epi64(_mm256_unpacklo_epi64(p45, p67), 0xD8);
  const __m256i second47 = _mm256_permute4x64_epi64(_mm256_unpackhi_epi64(p45, p67), 0xD8);
  const Word first8 = frame.digitCells[8][0] & frame.emptyCells[0];
  const Word second8 = frame.digitCells[8][1] & frame.emptyCells[1];
  // Each band's thirty bits as 32-bit lanes, digits 0 4 1 5 2 6 3 7, and
  // digit 8 on its own.
  const __m256i band30 = _mm256_set1_epi64x(0x3FFFFFFF);
  const __m256i bands[3] = {
      pairUp(_mm256_and_si256(first03, band30), _mm256_and_si256(first47, band30)),
      pairUp(_mm256_and_si256(_mm256_srli_epi64(first03, 30), band30),
             _mm256_and_si256(_mm256_srli_epi64(first47, 30), band30)),
      pairUp(second03, second47)};
  const __m256i bands8[3] = {
      _mm256_zextsi128_si256(_mm_cvtsi32_si128(int(first8 & 0x3FFFFFFF))),
      _mm256_zextsi128_si256(_mm_cvtsi32_si128(int((first8 >> 30) & 0x3FFFFFFF))),
      _mm256_zextsi128_si256(_mm_cvtsi32_si128(int(second8)))};
  const __m256i nine = _mm256_set1_epi32(0x1FF);
  __m256i rows[9];
  for (int r = 0; r < 9; ++r) {
    const __m128i shift = _mm_cvtsi32_si128(r % 3 * kRowBits);
    rows[r] = _mm256_packus_epi32(_mm256_and_si256(_mm256_srl_epi32(bands[r / 3], shift), nine),
                                  _mm256_and_si256(_mm256_srl_epi32(bands8[r / 3], shift), nine));
  }
  // Columns seen once and more than once over the nine rows.
  __m256i once = rows[0];
  __m256i twice = _mm256_setzero_si256();
  for (int r = 1; r < 9; ++r) {
    twice = _mm256_or_si256(twice, _mm256_and_si256(once, rows[r]));
    once = _mm256_or_si256(once, rows[r]);
  }
  const __m256i columns = _mm256_andnot_si256(twice, once);
  const __m256i segmentLows = _mm256_set1_epi16(0x49);
  const __m256i minusOne = _mm256_set1_epi16(-1);
  const __m256i zero = _mm256_setzero_si256();
  __m256i found[9];
  __m256i any = zero;
  for (int band = 0; band < 3; ++band) {
    const __m256i r0 = rows[3 * band], r1 = rows[3 * band + 1], r2 = rows[3 * band + 2];
    const __m256i r01 = _mm256_or_si256(r0, r1);
    const __m256i folded = _mm256_or_si256(r01, r2);
    const __m256i foldedTwice =
        _mm256_or_si256(_mm256_and_si256(r0, r1), _mm256_and_si256(r01, r2));
    // A box holds one cell when one of its three columns is seen, once.
    const __m256i seen = _mm256_add_epi16(
        _mm256_add_epi16(_mm256_and_si256(folded, segmentLows),
                         _mm256_and_si256(_mm256_srli_epi16(folded, 1), segmentLows)),
        _mm256_and_si256(_mm256_srli_epi16(folded, 2), segmentLows));
    const __m256i crowded =
        _mm256_or_si256(_mm256_or_si256(foldedTwice, _mm256_srli_epi16(foldedTwice, 1)),
                        _mm256_srli_epi16(foldedTwice, 2));
    const __m256i one = _mm256_andnot_si256(_mm256_or_si256(crowded, _mm256_srli_epi16(seen, 1)),
                                            _mm256_and_si256(seen, segmentLows));
    const __m256i boxes = _mm256_sub_epi16(_mm256_slli_epi16(one, 3), one);
    const __m256i others = _mm256_or_si256(boxes, columns);
    for (int i = 0; i < 3; ++i) {
      const __m256i v = rows[3 * band + i];
      // A row with one cell: v & (v - 1) is zero.
      const __m256i alone =
          _mm256_cmpeq_epi16(_mm256_and_si256(v, _mm256_add_epi16(v, minusOne)), zero);
      found[3 * band + i] =
          _mm256_or_si256(_mm256_and_si256(alone, v), _mm256_and_si256(v, others));
      any = _mm256_or_si256(any, found[3 * band + i]);
    }
  }
  if (_mm256_testz_si256(any, any)) return false;
  // Back to each digit's two words: the rows of a band to thirty bits in
  // 32-bit lanes (digits 0 4 1 5 2 6 3 7, and 8), then to the words.
  __m256i backBands[3];
  __m256i backBands8[3];
  for (int band = 0; band < 3; ++band) {
    backBands[band] = bandOfRows(found + 3 * band, true);
    backBands8[band] = bandOfRows(found + 3 * band, false);
  }
  const __m256i low32 = _mm256_set1_epi64x(0xFFFFFFFF);
  // The 64-bit lanes hold digits 0 and 4, 1 and 5, 2 and 6, 3 and 7.
  const __m256i found03 =
      _mm256_or_si256(_mm256_and_si256(backBands[0], low32),
                      _mm256_slli_epi64(_mm256_and_si256(backBands[1], low32), 30));
  const __m256i found47 =
      _mm256_or_si256(_mm256_srli_epi64(backBands[0], 32),
                      _mm256_slli_epi64(_mm256_srli_epi64(backBands[1], 32), 30));
  storeFourDigits(found03, _mm256_and_si256(backBands[2], low32), hidden);
  storeFourDigits(found47, _mm256_srli_epi64(backBands[2], 32), hidden + 4);
  const Word band0 = Word(std::uint32_t(_mm256_cvtsi256_si32(backBands8[0])));
  const Word band1 = Word(std::uint32_t(_mm256_cvtsi256_si32(backBands8[1])));
  hidden[8][0] = band0 | (band1 << 30);
  hidden[8][1] = Word(std::uint32_t(_mm256_cvtsi256_si32(backBands8[2])));
  return true;
}

// The same pass with the AVX2 search for its singles; taken only where the
// processor has AVX2.
bool fillHiddenSinglesWide(SolverFrame& frame, bool& wrote) {
  Word hidden[9][2];
  wrote = findAllHiddenSinglesWide(frame, hidden);
  return !wrote || writeHiddenSingles(frame, hidden);
}

bool detectWideHiddenPass() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

const bool kWideHiddenPass = detectWideHiddenPass();
#endif

bool fillHiddenSinglesPlain(SolverFrame& frame, bool& wrote) {
  Word hidden[9][2];
  wrote = findAllHiddenSingles(frame, hidden);
  return !wrote || writeHiddenSingles(frame, hidden);
}

// One hidden-single pass: every deduction is drawn from the same sets, and
// they are all written before the next naked round. Sets wrote when it
// wrote a digit.
bool fillHiddenSingles(SolverFrame& frame, bool& wrote) {
#ifdef VANTRIC_WIDE_HIDDEN_PASS
  if (kWideHiddenPass) return fillHiddenSinglesWide(frame, wrote);
#endif
  return fillHiddenSinglesPlain(frame, wrote);
}

}  // namespace

void prepareFrame(SolverFrame& frame) {
  // Indexed by value, 0 standing for the empty cells, so that no cell needs
  // a branch: the cells holding each value, and each digit's set with the
  // peers of its cells taken out.
  Word holding[10][2] = {};
  Word sets[10][2];
  for (auto& cells : sets) {
    cells[0] = kGeometry.allCells[0];
    cells[1] = kGeometry.allCells[1];
  }
  for (CellIndex c = 0; c < kCellCount; ++c) {
    const int value = frame.values[c];
    holding[value][kGeometry.word[c]] |= kGeometry.bit[c];
    sets[value][0] &= ~kGeometry.peers[c][0];
    sets[value][1] &= ~kGeometry.peers[c][1];
  }
  // A filled cell stays in its own digit's set only; a repeated digit takes
  // its cells out of that set too.
  for (int w = 0; w < 2; ++w) {
    frame.emptyCells[w] = holding[0][w];
    const Word filled = kGeometry.allCells[w] & ~holding[0][w];
    for (int d = 0; d < 9; ++d)
      frame.digitCells[d][w] = sets[d + 1][w] & (~filled | holding[d + 1][w]);
  }
  frame.emptyCount = std::popcount(holding[0][0]) + std::popcount(holding[0][1]);
  frame.contradiction = false;
  // Each empty cell's candidates counted in bit planes, one digit at a time.
  for (int w = 0; w < 2; ++w) {
    for (auto& plane : frame.candidateCount) plane[w] = 0;
    for (const auto& cells : frame.digitCells) {
      Word carry = cells[w] & frame.emptyCells[w];
      for (auto& plane : frame.candidateCount) {
        const Word before = plane[w];
        plane[w] = before ^ carry;
        carry &= before;
      }
    }
  }
}

bool branchFrame(SolverFrame& child, const SolverFrame& parent, CellIndex cell, int digit) {
  const WordPair self = loadPair(kGeometry.self[cell]);
  const WordPair peers = loadPair(kGeometry.peers[cell]);
  const WordPair empty = loadPair(parent.emptyCells);
  const WordPair cells = loadPair(parent.digitCells[digit - 1]);
  for (int d = 0; d < 9; ++d) storePair(child.digitCells[d], loadPair(parent.digitCells[d]));
  storePair(child.digitCells[digit - 1], andNot(cells, peers));
  storePair(child.emptyCells, andNot(empty, self));
  subtractOne(parent.candidateCount, child.candidateCount, cells & empty & peers);
  child.emptyCount = parent.emptyCount - 1;
  child.contradiction = false;
  return !isEmpty(cells & empty & self);
}

bool propagateFrame(SolverFrame& frame) {
  bool placed = false;
  if (!fillNakedSingles(frame, placed)) return false;
  for (;;) {
    bool wrote = false;
    if (!fillHiddenSingles(frame, wrote)) return false;
    if (!wrote) break;
    if (!fillNakedSingles(frame, placed)) return false;
    // The hidden digits left no naked single: the search branches now, even
    // if they made new hidden singles.
    if (!placed) break;
  }
  return frame.emptyCount != 0 || writeValues(frame);
}

CellIndex chooseBranchCell(const SolverFrame& frame) {
  for (int k = 2; k <= 9; ++k) {
    for (int w = 0; w < 2; ++w) {
      Word match = frame.emptyCells[w];
      for (int b = 0; b < 4; ++b) {
        const Word plane = frame.candidateCount[b][w];
        match &= (k >> b) & 1 ? plane : ~plane;
      }
      if (match != 0) return cellAt(w, std::countr_zero(match));
    }
  }
  return kNoCell;
}

CandidateMask cellCandidates(const SolverFrame& frame, CellIndex cell) {
  const int w = kGeometry.word[cell];
  const int position = std::countr_zero(kGeometry.bit[cell]);
  CandidateMask mask = 0;
  for (int d = 0; d < 9; ++d) mask |= int((frame.digitCells[d][w] >> position) & 1) << d;
  return mask;
}

bool repeatsDigit(const int values[kCellCount]) {
  int columns[9] = {};
  int boxes[9] = {};
  int repeated = 0;
  // Without a branch per cell: an empty cell's bit is 0 and changes nothing.
  for (int r = 0; r < 9; ++r) {
    int row = 0;
    for (int c = 0; c < 9; ++c) {
      const int bit = (1 << values[r * 9 + c]) >> 1;
      int& box = boxes[r / 3 * 3 + c / 3];
      repeated |= (row | columns[c] | box) & bit;
      row |= bit;
      columns[c] |= bit;
      box |= bit;
    }
  }
  return repeated != 0;
}
