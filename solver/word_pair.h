// The two 64-bit words of a set of cells, handled as one value.
#pragma once

#include <cstdint>

#if (defined(__SSE2__) || defined(_M_X64)) && !defined(VANTRIC_NO_SSE2)
#include <emmintrin.h>
#define VANTRIC_SSE2 1
#endif

// A set of 81 cells is two words, rows 0-5 and rows 6-8. Every operation
// works on both words alike, except where it says otherwise, so that one
// SSE2 register can hold the pair where the processor has one.
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
inline WordPair splatPair(std::uint64_t x) {
  return {_mm_set1_epi64x(static_cast<long long>(x))};
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
inline WordPair operator+(WordPair a, WordPair b) {
  return {_mm_add_epi64(a.v, b.v)};
}
inline WordPair operator-(WordPair a, WordPair b) {
  return {_mm_sub_epi64(a.v, b.v)};
}
// a & ~b
inline WordPair andNot(WordPair a, WordPair b) {
  return {_mm_andnot_si128(b.v, a.v)};
}
template <int kBits>
inline WordPair shiftRight(WordPair a) {
  return {_mm_srli_epi64(a.v, kBits)};
}
template <int kBits>
inline WordPair shiftLeft(WordPair a) {
  return {_mm_slli_epi64(a.v, kBits)};
}
// The two words exchanged.
inline WordPair swapWords(WordPair a) {
  return {_mm_shuffle_epi32(a.v, 0x4E)};
}
// The first word in both places.
inline WordPair firstInBoth(WordPair a) {
  return {_mm_shuffle_epi32(a.v, 0x44)};
}
// One of the two words, 0 or 1.
inline std::uint64_t wordOf(WordPair a, int w) {
  return static_cast<std::uint64_t>(_mm_cvtsi128_si64(w == 0 ? a.v : _mm_unpackhi_epi64(a.v, a.v)));
}
inline bool isEmpty(WordPair a) {
  return _mm_movemask_epi8(_mm_cmpeq_epi32(a.v, _mm_setzero_si128())) == 0xFFFF;
}
inline bool isSame(WordPair a, WordPair b) {
  return _mm_movemask_epi8(_mm_cmpeq_epi32(a.v, b.v)) == 0xFFFF;
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
inline WordPair splatPair(std::uint64_t x) {
  return {{x, x}};
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
inline WordPair operator+(WordPair a, WordPair b) {
  return {{a.w[0] + b.w[0], a.w[1] + b.w[1]}};
}
inline WordPair operator-(WordPair a, WordPair b) {
  return {{a.w[0] - b.w[0], a.w[1] - b.w[1]}};
}
inline WordPair andNot(WordPair a, WordPair b) {
  return {{a.w[0] & ~b.w[0], a.w[1] & ~b.w[1]}};
}
template <int kBits>
inline WordPair shiftRight(WordPair a) {
  return {{a.w[0] >> kBits, a.w[1] >> kBits}};
}
template <int kBits>
inline WordPair shiftLeft(WordPair a) {
  return {{a.w[0] << kBits, a.w[1] << kBits}};
}
inline WordPair swapWords(WordPair a) {
  return {{a.w[1], a.w[0]}};
}
inline WordPair firstInBoth(WordPair a) {
  return {{a.w[0], a.w[0]}};
}
inline std::uint64_t wordOf(WordPair a, int w) {
  return a.w[w];
}
inline bool isEmpty(WordPair a) {
  return (a.w[0] | a.w[1]) == 0;
}
inline bool isSame(WordPair a, WordPair b) {
  return ((a.w[0] ^ b.w[0]) | (a.w[1] ^ b.w[1])) == 0;
}

#endif
