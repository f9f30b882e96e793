// The search's propagation over per-digit cell sets.
#include "solver/propagation.h"

#include <bit>
#include <cstdint>

#include "model/tables.h"
#include "solver/hidden_rows.h"
#include "solver/word_pair.h"
#include "state/bit_count.h"

namespace {

using Word = std::uint64_t;

struct Geometry {
  int word[kCellCount];
  Word bit[kCellCount];
  // The cell itself, and its twenty peers, in both words.
  Word self[kCellCount][2];
  Word peers[kCellCount][2];
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

// The cells in at least one of nine digits' sets, and those in two or more.
inline void uniteDigitSets(const Word sets[9][2], WordPair& once, WordPair& twice) {
  once = zeroPair();
  twice = zeroPair();
  for (int d = 0; d < 9; ++d) {
    const WordPair cells = loadPair(sets[d]);
    twice = twice | (once & cells);
    once = once | cells;
  }
}

// Reads a full frame's grid off the digits' sets into values. False when
// some cell is in no set or in several: a starting grid that repeated a
// digit, which leaves no true value for the cells around the repeat.
bool writeValues(SolverFrame& frame) {
  for (int d = 0; d < 9; ++d)
    for (int w = 0; w < 2; ++w)
      for (Word rest = frame.digitCells[d][w]; rest != 0; rest &= rest - 1)
        frame.values[cellAt(w, std::countr_zero(rest))] = d + 1;
  WordPair once;
  WordPair twice;
  uniteDigitSets(frame.digitCells, once, twice);
  return isEmpty(twice) && isEmpty(once ^ loadPair(kGeometry.allCells));
}

// Subtracts one from the candidate counts of cells, counts kept as four bit
// planes.
inline void subtractOne(WordPair count[4], WordPair cells) {
  WordPair borrow = cells;
  for (int k = 0; k < 4; ++k) {
    const WordPair before = count[k];
    count[k] = before ^ borrow;
    borrow = andNot(borrow, before);
  }
}

// The frame's empty cells, their candidate counts and their number, held in
// registers while a propagation places digits and written back when it ends;
// only the digits' sets are written at every placement.
struct LiveCells {
  WordPair empty;
  WordPair count[4];
  int emptyCount;
};

inline LiveCells loadLiveCells(const SolverFrame& frame) {
  LiveCells live;
  live.empty = loadPair(frame.emptyCells);
  for (int k = 0; k < 4; ++k) live.count[k] = loadPair(frame.candidateCount[k]);
  live.emptyCount = frame.emptyCount;
  return live;
}

inline void storeLiveCells(SolverFrame& frame, const LiveCells& live) {
  storePair(frame.emptyCells, live.empty);
  for (int k = 0; k < 4; ++k) storePair(frame.candidateCount[k], live.count[k]);
  frame.emptyCount = live.emptyCount;
}

// Places a digit into an empty cell. False when the cell no longer allows
// it: the frame is then a dead end.
inline bool placeDigit(SolverFrame& frame, LiveCells& live, CellIndex cell, int digit) {
  Word* digitWords = frame.digitCells[digit - 1];
  const WordPair self = loadPair(kGeometry.self[cell]);
  const WordPair peers = loadPair(kGeometry.peers[cell]);
  const WordPair cells = loadPair(digitWords);
  const WordPair allowing = cells & live.empty;
  if (isEmpty(allowing & self)) [[unlikely]]
    return false;
  // The empty peers that allowed the digit lose one candidate each. The
  // cell stays in the digit's set only, as its value; the planes count
  // empty cells only.
  storePair(digitWords, andNot(cells, peers));
  live.empty = andNot(live.empty, self);
  subtractOne(live.count, allowing & peers);
  --live.emptyCount;
  return true;
}

// Places each of the cells of one word, with the digit whose index bits it
// has. The word is a constant, so that the cell lookup folds it in. False
// when a cell refuses.
template <int kWord>
inline bool placeIndexedCells(SolverFrame& frame, LiveCells& live, Word cells,
                              const Word indexBits[4][2]) {
  for (Word rest = cells; rest != 0; rest &= rest - 1) {
    const int position = std::countr_zero(rest);
    int digit = 1;
    for (int k = 0; k < 4; ++k) digit += int((indexBits[k][kWord] >> position) & 1) << k;
    if (!placeDigit(frame, live, cellAt(kWord, position), digit)) [[unlikely]]
      return false;
  }
  return true;
}

// Places the cells, each with the one digit of sets that holds it. The
// digits are read off the sets before the first placement changes them.
inline bool placeFromSets(SolverFrame& frame, LiveCells& live, WordPair cells,
                          const Word sets[9][2]) {
  // Bit k of each cell's digit index.
  WordPair bits[4] = {zeroPair(), zeroPair(), zeroPair(), zeroPair()};
  for (int d = 1; d < 9; ++d) {
    const WordPair holding = loadPair(sets[d]) & cells;
    for (int k = 0; k < 4; ++k)
      if (d & (1 << k)) bits[k] = bits[k] | holding;
  }
  Word indexBits[4][2];
  for (int k = 0; k < 4; ++k) storePair(indexBits[k], bits[k]);
  Word words[2];
  storePair(words, cells);
  return placeIndexedCells<0>(frame, live, words[0], indexBits) &&
         placeIndexedCells<1>(frame, live, words[1], indexBits);
}

// Naked singles to a standstill: each round finds the cells left with no
// candidate (a dead end) or with one, and fills the latter. Sets placed when
// it filled a cell.
inline bool fillNakedSingles(SolverFrame& frame, LiveCells& live, bool& placed) {
  placed = false;
  for (;;) {
    const WordPair atMostOne = andNot(live.empty, live.count[1] | live.count[2] | live.count[3]);
    if (!isEmpty(andNot(atMostOne, live.count[0]))) return false;
    const WordPair singles = atMostOne & live.count[0];
    if (isEmpty(singles)) return true;
    placed = true;
    // An earlier single of this round may have taken a cell's only digit:
    // placeDigit then refuses.
    if (!placeFromSets(frame, live, singles, frame.digitCells)) return false;
  }
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

#ifdef VANTRIC_HIDDEN_ROWS
// The processor does not change while the program runs. Asked at start-up:
// a function-local static's guard would link in the C++ exception runtime.
const bool kRowsSearch = canFindHiddenSinglesInRows();
#endif

// One hidden-single pass: every deduction is drawn from the same sets, and
// they are all written before the next naked round. Sets wrote when it
// wrote a digit.
inline bool fillHiddenSingles(SolverFrame& frame, LiveCells& live, bool& wrote) {
  // Both searches read the empty cells from the frame.
  storePair(frame.emptyCells, live.empty);
  Word hidden[9][2];
#ifdef VANTRIC_HIDDEN_ROWS
  wrote =
      kRowsSearch ? findHiddenSinglesInRows(frame, hidden) : findAllHiddenSingles(frame, hidden);
#else
  wrote = findAllHiddenSingles(frame, hidden);
#endif
  if (!wrote) return true;
  // A cell that is the only place for two digits is a dead end.
  WordPair once;
  WordPair twice;
  uniteDigitSets(hidden, once, twice);
  if (!isEmpty(twice)) [[unlikely]]
    return false;
  // A write that the cell no longer allows clashes with an earlier write of
  // this pass: the same digit in one of its units.
  return placeFromSets(frame, live, once, hidden);
}

// Naked singles, then rounds of one hidden pass and the naked singles its
// digits cause, until a hidden pass writes nothing or its digits leave no
// naked single; the search branches then, even if they made new hidden
// singles.
bool propagateLive(SolverFrame& frame, LiveCells& live) {
  bool afterHidden = false;
  for (;;) {
    bool placed = false;
    if (!fillNakedSingles(frame, live, placed)) return false;
    if (afterHidden && !placed) return true;
    bool wrote = false;
    if (!fillHiddenSingles(frame, live, wrote)) return false;
    if (!wrote) return true;
    afterHidden = true;
  }
}

}  // namespace

bool prepareFrame(SolverFrame& frame) {
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
  // A digit repeats where a cell holding it is a peer of another.
  Word repeated = 0;
  for (int d = 1; d < 10; ++d)
    repeated |= (holding[d][0] & ~sets[d][0]) | (holding[d][1] & ~sets[d][1]);
  // A filled cell stays in its own digit's set only; a repeated digit takes
  // its cells out of that set too.
  for (int w = 0; w < 2; ++w) {
    frame.emptyCells[w] = holding[0][w];
    const Word filled = kGeometry.allCells[w] & ~holding[0][w];
    for (int d = 0; d < 9; ++d)
      frame.digitCells[d][w] = sets[d + 1][w] & (~filled | holding[d + 1][w]);
  }
  frame.emptyCount = wordBitCount(holding[0][0]) + wordBitCount(holding[0][1]);
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
  return repeated == 0;
}

bool branchFrame(SolverFrame& child, const SolverFrame& parent, CellIndex cell, int digit) {
  const WordPair self = loadPair(kGeometry.self[cell]);
  const WordPair peers = loadPair(kGeometry.peers[cell]);
  const WordPair empty = loadPair(parent.emptyCells);
  const WordPair cells = loadPair(parent.digitCells[digit - 1]);
  for (int d = 0; d < 9; ++d) storePair(child.digitCells[d], loadPair(parent.digitCells[d]));
  storePair(child.digitCells[digit - 1], andNot(cells, peers));
  storePair(child.emptyCells, andNot(empty, self));
  WordPair count[4];
  for (int k = 0; k < 4; ++k) count[k] = loadPair(parent.candidateCount[k]);
  subtractOne(count, cells & empty & peers);
  for (int k = 0; k < 4; ++k) storePair(child.candidateCount[k], count[k]);
  child.emptyCount = parent.emptyCount - 1;
  child.contradiction = false;
  return !isEmpty(cells & empty & self);
}

bool propagateFrame(SolverFrame& frame) {
  LiveCells live = loadLiveCells(frame);
  const bool alive = propagateLive(frame, live);
  storeLiveCells(frame, live);
  return alive && (frame.emptyCount != 0 || writeValues(frame));
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
