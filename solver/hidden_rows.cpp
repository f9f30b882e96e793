// The hidden singles of all nine digits at once, with AVX2: each row of the grid a register of
// digit lanes.
#include "solver/hidden_rows.h"

#ifdef VANTRIC_HIDDEN_ROWS

#include <immintrin.h>

#include "solver/word_pair.h"

#define VANTRIC_AVX2 __attribute__((target("avx2")))

bool canFindHiddenSinglesInRows() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

namespace {

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
VANTRIC_AVX2 inline void storeFourDigits(__m256i first, __m256i second, std::uint64_t out[4][2]) {
  const __m256i even = _mm256_unpacklo_epi64(first, second);
  const __m256i odd = _mm256_unpackhi_epi64(first, second);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out[0]),
                      _mm256_permute2x128_si256(even, odd, 0x20));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out[2]),
                      _mm256_permute2x128_si256(even, odd, 0x31));
}

}  // namespace

// All nine digits at once: each row of the
// grid becomes a register of sixteen 16-bit lanes, one per digit (seven
// stay empty), holding the row's empty cells that allow the digit. A row,
// a column and a box then come down to the same operations on every lane.
// The lanes hold the digits in the order 0 4 1 5 8 - - - 2 6 3 7 - - - -,
// the order the packing and unpacking below give without shuffles.
VANTRIC_AVX2 bool findHiddenSinglesInRows(const SolverFrame& frame, std::uint64_t hidden[9][2]) {
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
  const std::uint64_t first8 = frame.digitCells[8][0] & frame.emptyCells[0];
  const std::uint64_t second8 = frame.digitCells[8][1] & frame.emptyCells[1];
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
  const std::uint64_t band0 = std::uint64_t(std::uint32_t(_mm256_cvtsi256_si32(backBands8[0])));
  const std::uint64_t band1 = std::uint64_t(std::uint32_t(_mm256_cvtsi256_si32(backBands8[1])));
  hidden[8][0] = band0 | (band1 << 30);
  hidden[8][1] = std::uint64_t(std::uint32_t(_mm256_cvtsi256_si32(backBands8[2])));
  return true;
}

#endif
