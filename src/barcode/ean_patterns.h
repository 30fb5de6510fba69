#pragma once

// EAN/UPC number sets and guard patterns (ISO/IEC 15420), as module strings: '1' a bar module,
// '0' a space module. Plain C++ so that the build-time image generator can use the same tables
// as the program and its tests.

#include <array>
#include <string_view>

namespace barcode::ean {

// clang-format off
// Number set A (odd parity, left half), ISO/IEC 15420 table 1.
inline constexpr std::array<std::string_view, 10> setA = {
    "0001101", "0011001", "0010011", "0111101", "0100011",
    "0110001", "0101111", "0111011", "0110111", "0001011"};
// Number set B (even parity, left half): set C reversed.
inline constexpr std::array<std::string_view, 10> setB = {
    "0100111", "0110011", "0011011", "0100001", "0011101",
    "0111001", "0000101", "0010001", "0001001", "0010111"};
// Number set C (right half): set A inverted.
inline constexpr std::array<std::string_view, 10> setC = {
    "1110010", "1100110", "1101100", "1000010", "1011100",
    "1001110", "1010000", "1000100", "1001000", "1110100"};

// First-digit parity rows of EAN-13 for the six left-half digits ('A' set A, 'B' set B).
inline constexpr std::array<std::string_view, 10> parityRows = {
    "AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
    "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
// clang-format on

inline constexpr std::string_view normalGuard = "101";
inline constexpr std::string_view centreGuard = "01010";

// What the guard images hold: the outer guards carry one space module on their outer side, so
// that each image is a whole number of modules and the row of images reads as a complete symbol.
inline constexpr std::string_view leftGuardImage = "0101";
inline constexpr std::string_view centreGuardImage = "01010";
inline constexpr std::string_view rightGuardImage = "1010";

} // namespace barcode::ean
