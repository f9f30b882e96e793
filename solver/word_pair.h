// The two 64-bit words of a set of cells, handled as one value.
#pragma once

#include <cstdint>

#if (defined(__SSE2__) || defined(_M_X64)) && !defined(VANTRIC_NO_SSE2)
#include <emmintrin.h>
#define VANTRIC_SSE2 1
#endif

// Cell (row r, column c) is bit 10r + c of word 0 for rows 0-5 and bit
// 10(r-6) + c of word 1 for rows 6-8: bits follow cell order, each band of
// three rows is thirty bits, and bit 9 of every row is a spare guard bit.
constexpr int kRowBits = 10;

// A set of 81 cells is two words, rows 0-5 and rows 6-8. A placement does
// the same to both, so one SSE2 register holds the pair where the processor
// has one, which halves the work of the search's most frequent step.
#ifdef VANTRIC_SSE2

struct WordPair {
  __m128i v;
};

inline WordPair loadPair(const std::uint64_t p[2]) {
  return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))};
}
inline void storePair(std::uint64_t p[2], WordPair a) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), a.v);
}
inline WordPair zeroPair() {
  return {_mm_setzero_si128()};
}
inline WordPair operator&(WordPair a, WordPair b) {
  return {_mm_and_si128(a.v, b.v)};
}
inline WordPair operator|(WordPair a, WordPair b) {
  return {_mm_or_si128(a.v, b.v)};
}
inline WordPair operator^(WordPair a, WordPair b) {
  return {_mm_xor_si128(a.v, b.v)};
}
// a & ~b
inline WordPair andNot(WordPair a, WordPair b) {
  return {_mm_andnot_si128(b.v, a.v)};
}
inline bool isEmpty(WordPair a) {
  return _mm_movemask_epi8(_mm_cmpeq_epi32(a.v, _mm_setzero_si128())) == 0xFFFF;
}

#else

struct WordPair {
  std::uint64_t w[2];
};

inline WordPair loadPair(const std::uint64_t p[2]) {
  return {{p[0], p[1]}};
}
inline void storePair(std::uint64_t p[2], WordPair a) {
  p[0] = a.w[0];
  p[1] = a.w[1];
}
inline WordPair zeroPair() {
  return {{0, 0}};
}
inline WordPair operator&(WordPair a, WordPair b) {
  return {{a.w[0] & b.w[0], a.w[1] & b.w[1]}};
}
inline WordPair operator|(WordPair a, WordPair b) {
  return {{a.w[0] | b.w[0], a.w[1] | b.w[1]}};
}
inline WordPair operator^(WordPair a, WordPair b) {
  return {{a.w[0] ^ b.w[0], a.w[1] ^ b.w[1]}};
}
inline WordPair andNot(WordPair a, WordPair b) {
  return {{a.w[0] & ~b.w[0], a.w[1] & ~b.w[1]}};
}
inline bool isEmpty(WordPair a) {
  return (a.w[0] | a.w[1]) == 0;
}

#endif
